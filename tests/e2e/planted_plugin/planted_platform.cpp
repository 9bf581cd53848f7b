#include "planted_plugin.h"

PLANTED_PLUGIN_MARK("platform")

class PlantedPlatform : public QObject {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QPA.QPlatformIntegrationFactoryInterface.5.3" FILE "planted_keys.json")
};

#include "planted_platform.moc"
