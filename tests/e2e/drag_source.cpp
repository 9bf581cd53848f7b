// A test-only drag source for the end-to-end tests: a small window titled
// "tockara-drag-source" at the position given by TOCKARA_DRAG_AT ("x,y",
// default 600,400) that starts dragging the files named on its command line
// (as a "text/uri-list") when the left button is pressed on it, as a file
// manager does. It exits when the drop ends and prints whether it was taken.
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>
#include <cstdio>

namespace {

class DragSource : public QWidget {
public:
    explicit DragSource(QList<QUrl> files) : files_(std::move(files))
    {
        setWindowTitle("tockara-drag-source");
        setWindowFlag(Qt::FramelessWindowHint);
        resize(120, 60);
        setStyleSheet("background: #3060c0");
    }

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        pressed_ = event->button() == Qt::LeftButton;
    }
    void mouseMoveEvent(QMouseEvent *) override
    {
        if (!pressed_)
            return;
        pressed_ = false;
        auto *data = new QMimeData;
        data->setUrls(files_);
        auto *drag = new QDrag(this);
        drag->setMimeData(data);
        const Qt::DropAction action = drag->exec(Qt::CopyAction | Qt::LinkAction);
        std::printf("%s\n", action == Qt::IgnoreAction ? "ignored" : "dropped");
        std::fflush(stdout);
        QApplication::quit();
    }

private:
    QList<QUrl> files_;
    bool pressed_ = false;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QList<QUrl> files;
    for (const QString &path : app.arguments().mid(1))
        files << QUrl::fromLocalFile(path);
    DragSource source(files);
    const QStringList at = qEnvironmentVariable("TOCKARA_DRAG_AT", "600,400").split(',');
    source.move(at.value(0).toInt(), at.value(1).toInt());
    source.show();
    return app.exec();
}
