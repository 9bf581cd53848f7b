#include "planted_plugin.h"

PLANTED_PLUGIN_MARK("input")

class PlantedInput : public QObject {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QPA.QPlatformInputContextFactoryInterface.5.1" FILE "planted_keys.json")
};

#include "planted_input.moc"
