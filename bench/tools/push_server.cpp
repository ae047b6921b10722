// A push service on 127.0.0.1 for trying the watcher by hand: every --every
// milliseconds it sends an event (the first a second reading of a quake in
// data/sample_week.geojson, then new ones a minute apart from --start), and
// every --drop seconds it drops every client. --flood N sends N events a
// second instead, to watch the watcher keep up.
//   push_server PORT [--every MS] [--drop S] [--flood N] [--start 2025-12-07T05:00:00]
#include <cstdio>
#include <cstdlib>
#include <string>

#include <QCoreApplication>
#include <QDateTime>
#include <QTimer>

#include "support/PushServer.h"

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr,
                     "usage: push_server PORT [--every MS] [--drop S] [--flood N] [--start ISO]\n");
        return 2;
    }
    auto option = [&](const QString& name, const QString& fallback) {
        const qsizetype at = args.indexOf(name);
        return at > 0 && at + 1 < args.size() ? args[at + 1] : fallback;
    };
    const int every = option("--every", "3000").toInt();
    const int drop = option("--drop", "20").toInt();
    const int flood = option("--flood", "0").toInt();
    QDateTime next = QDateTime::fromString(option("--start", "2025-12-07T05:00:00"), Qt::ISODate);
    next.setTimeSpec(Qt::UTC);

    tremolux::test::PushServer server(args[1].toUShort());
    std::printf("%s\n", server.Url().c_str());
    std::fflush(stdout);
    int sent = 0;
    auto sendOne = [&] {
        if (sent == 0) {
            server.Send(tremolux::test::PushedEvent("create", "NAMIE", "2025-12-07T05:42:30Z",
                                                    37.60, 142.10, 5.6,
                                                    "NEAR EAST COAST OF HONSHU, JAPAN"));
        } else {
            next = next.addSecs(60);
            server.Send(tremolux::test::PushedEvent("create", "P" + std::to_string(sent),
                                                    next.toString(Qt::ISODate).toStdString(),
                                                    (sent * 37) % 140 - 70, (sent * 71) % 340 - 170,
                                                    3.0 + (sent % 30) / 10.0, "PUSHED TEST EVENT"));
        }
        ++sent;
    };
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        if (server.Connected() == 0)
            return;
        if (flood > 0) {
            for (int i = 0; i < flood / 10; ++i)
                sendOne();
        } else {
            sendOne();
        }
    });
    tick.start(flood > 0 ? 100 : every);
    QTimer dropper;
    QObject::connect(&dropper, &QTimer::timeout, [&] {
        std::printf("dropping %d client(s), %d events sent\n", server.Connected(), sent);
        std::fflush(stdout);
        server.DropAll();
    });
    if (drop > 0)
        dropper.start(drop * 1000);
    return app.exec();
}
