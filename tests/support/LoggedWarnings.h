#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace tremolux::test {

// The warnings logged while it lives, each as "category: text", kept from
// the handler it stands in for.
class LoggedWarnings {
public:
    LoggedWarnings() : m_previous(qInstallMessageHandler(&Keep)) { Kept().clear(); }
    ~LoggedWarnings() { qInstallMessageHandler(m_previous); }
    LoggedWarnings(const LoggedWarnings&) = delete;
    LoggedWarnings& operator=(const LoggedWarnings&) = delete;

    const QStringList& Lines() const { return Kept(); }

private:
    static QStringList& Kept()
    {
        static QStringList lines;
        return lines;
    }
    static void Keep(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        if (type == QtWarningMsg)
            Kept() << QString::fromUtf8(context.category) + QStringLiteral(": ") + text;
    }

    QtMessageHandler m_previous;
};

}  // namespace tremolux::test
