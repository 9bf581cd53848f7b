#pragma once
#include <QList>
#include <QMutex>
#include <QString>
#include <QtGlobal>

// Records the messages logged while it lives instead of printing them.
class LogCapture {
public:
    struct Message {
        QtMsgType type;
        QString category;
        QString text;
    };

    LogCapture() : previous_(qInstallMessageHandler(Record)) { active_ = this; }
    ~LogCapture()
    {
        qInstallMessageHandler(previous_);
        active_ = nullptr;
    }
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;

    QList<Message> messages() const
    {
        QMutexLocker lock(&mutex_);
        return messages_;
    }
    // Whether a warning of category whose text holds fragment was logged.
    bool warned(const QString &category, const QString &fragment) const
    {
        for (const Message &m : messages()) {
            if (m.type == QtWarningMsg && m.category == category && m.text.contains(fragment))
                return true;
        }
        return false;
    }

private:
    static void Record(QtMsgType type, const QMessageLogContext &context, const QString &text)
    {
        if (LogCapture *self = active_) {
            QMutexLocker lock(&self->mutex_);
            self->messages_.append({type, QString::fromUtf8(context.category), text});
        }
    }

    static inline LogCapture *active_ = nullptr;
    QtMessageHandler previous_;
    mutable QMutex mutex_;
    QList<Message> messages_;
};
