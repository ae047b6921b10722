#include "cli/PictureOutput.h"

#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

#include <iostream>

#include "core/view/TraceCanvas.h"
#include "gui/view/QPainterCanvas.h"

namespace tremolux {

namespace {

// Qt's warnings about its environment (no runtime directory and the like)
// mean nothing to a user of this command; only its failures are shown.
void ShowQtFailuresOnly(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << message.toStdString() << '\n';
}

}  // namespace

// Painting into an image needs a GUI application for its fonts, never a
// display: the offscreen platform unless the caller chose one.
bool WritePicture(const std::string& path, int width, int height, const PaintPicture& paint)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(ShowQtFailuresOnly);
    int argc = 1;
    char name[] = "tremolux-cli";
    char* argv[] = {name, nullptr};
    const QGuiApplication application(argc, argv);

    // The outer pixel is left as a window's erased background shows it.
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QPainterCanvas canvas(painter, MapLabelFont());
        paint(canvas);
    }

    // Written whole or not at all.
    QSaveFile file(QString::fromStdString(path));
    QImageWriter writer(&file, "png");
    if (!file.open(QIODevice::WriteOnly) || !writer.write(image) || !file.commit()) {
        const QString reason =
            file.error() != QFileDevice::NoError ? file.errorString() : writer.errorString();
        std::cerr << "tremolux-cli: cannot write " << path << ": " << reason.toStdString() << '\n';
        return false;
    }
    return true;
}

bool WriteTrace(const PaintPicture& paint)
{
    TraceCanvas canvas(std::cout);
    paint(canvas);
    if (!std::cout.flush()) {
        std::cerr << "tremolux-cli: cannot write the trace to standard output\n";
        return false;
    }
    return true;
}

}  // namespace tremolux
