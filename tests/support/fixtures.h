#pragma once

#include <QString>
#include <QStringList>

// Test fixtures made by the real tools, and small helpers around them.
namespace Fixtures {
// Runs a system tool (found on PATH, /usr/bin first) and fails the current test if it fails.
bool runTool(const QString& program, const QStringList& arguments, QString* output = nullptr);
// A picture made by ImageMagick: "xc:red", "gradient:", "rose:" ... written to path.
bool makePicture(const QString& path, const QString& source = QStringLiteral("gradient:"),
                 const QString& size = QStringLiteral("64x48"), const QStringList& extra = {});
// "WIDTHxHEIGHT FORMAT" of a picture as ImageMagick reads it (first frame).
QString identify(const QString& path);
// A file from tests/data.
QString dataFile(const QString& name);
// Writes an executable shell script, for failure injection.
bool writeScript(const QString& path, const QString& body);
// Links the real tools of the build's application folder into dir, so a test can
// point the application folder at dir and replace some of them.
bool mirrorAppDir(const QString& dir);
} // namespace Fixtures
