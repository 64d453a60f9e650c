#include "qlvunwrapper.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

// Qlv2mp4 SOURCE FIRST SECOND THIRD: writes the MP4 at FIRST; SECOND is scratch, THIRD unused.
int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: Qlv2mp4 SOURCE FIRST SECOND THIRD\n");
        return 2;
    }
    // The helper sits in decoder/qlv; the application's ffmpeg in decoder/common.
    const QString ffmpeg = QDir::cleanPath(app.applicationDirPath() + QStringLiteral("/../common/ffmpeg"));
    QlvUnwrapper unwrapper(ffmpeg, args.at(0), args.at(1), args.at(2));
    if (!unwrapper.run()) {
        std::fprintf(stderr, "Qlv2mp4: %s\n", qPrintable(unwrapper.error().simplified()));
        return 1;
    }
    return 0;
}
