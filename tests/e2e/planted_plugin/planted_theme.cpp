#include "planted_plugin.h"

PLANTED_PLUGIN_MARK("theme")

class PlantedTheme : public QObject {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QPA.QPlatformThemeFactoryInterface.5.1" FILE "planted_keys.json")
};

#include "planted_theme.moc"
