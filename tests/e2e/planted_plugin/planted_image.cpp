#include "planted_plugin.h"

PLANTED_PLUGIN_MARK("image")

class PlantedImage : public QObject {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QImageIOHandlerFactoryInterface" FILE "planted_keys.json")
};

#include "planted_image.moc"
