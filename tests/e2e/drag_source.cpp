// A test-only drag source: a small window that, when dragged from, offers
// the files named on its command line as a "text/uri-list", the way a file
// manager does. Driven by xdotool in the end-to-end tests.
#include <QApplication>
#include <QDrag>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

class DragSource : public QLabel {
public:
    explicit DragSource(QList<QUrl> urls) : QLabel("drag source"), urls_(std::move(urls))
    {
        setWindowTitle("drag source");
        setWindowFlags(Qt::FramelessWindowHint);
        setGeometry(400, 400, 160, 80);
        setStyleSheet("background: white");
    }

protected:
    void mousePressEvent(QMouseEvent *event) override { pressed_ = event->position().toPoint(); }
    void mouseMoveEvent(QMouseEvent *event) override
    {
        if ((event->position().toPoint() - pressed_).manhattanLength() < QApplication::startDragDistance())
            return;
        auto *data = new QMimeData;
        data->setUrls(urls_);
        // On the heap: the toolkit keeps the drag after exec returns, for the
        // target that asks for the data after the drop, and deletes it.
        auto *drag = new QDrag(this);
        drag->setMimeData(data);
        // What the drop gave, for the test's log.
        qInfo("drag ended: %s", drag->exec(Qt::CopyAction) == Qt::IgnoreAction ? "ignored" : "accepted");
    }

private:
    QList<QUrl> urls_;
    QPoint pressed_;
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QList<QUrl> urls;
    for (int i = 1; i < argc; ++i)
        urls << QUrl::fromLocalFile(QString::fromLocal8Bit(argv[i]));
    DragSource source(urls);
    source.show();
    return app.exec();
}
