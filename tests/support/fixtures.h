#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

// Test fixtures made by the real tools, and small helpers around them.
namespace Fixtures {
// Runs a system tool (found on PATH, /usr/bin first) and fails the current test if it fails.
bool runTool(const QString& program, const QStringList& arguments, QString* output = nullptr);
// A picture made by ImageMagick: "xc:red", "gradient:", "rose:" ... written to path.
bool makePicture(const QString& path, const QString& source = QStringLiteral("gradient:"),
                 const QString& size = QStringLiteral("64x48"), const QStringList& extra = {});
// A PDF of `pages` pages of widthPt x heightPt points, made by Ghostscript: each page white with
// a centred block in its own colour (red, lime, blue, then again), so a rendering shows its order.
// userPassword: the document opens only with it.
bool makePdf(const QString& path, int pages, int widthPt = 144, int heightPt = 72,
             const QString& userPassword = QString());
// The colour of page `index` in makePdf's documents.
QRgb pdfPageColour(int index);
// "WIDTHxHEIGHT FORMAT" of a picture as ImageMagick reads it (first frame).
QString identify(const QString& path);
// Overwrites length bytes of the file from offset on with bytes of a seeded random sequence, or
// with one short pattern over and over: a damaged copy of a real file.
bool damageFile(const QString& path, qint64 offset, qint64 length, quint32 seed, bool pattern = false);
// A file from tests/data.
QString dataFile(const QString& name);
// Writes an executable shell script, for failure injection; a link of that name is replaced, not followed.
bool writeScript(const QString& path, const QString& body);
// Links the real tools of the build's application folder into dir, so a test can
// point the application folder at dir and replace some of them.
bool mirrorAppDir(const QString& dir);
// Makes a folder refuse new files even to root (immutable there, mode 0555 otherwise) or lifts
// that again; false where the file system cannot.
bool setFolderReadOnly(const QString& dir, bool readOnly);
} // namespace Fixtures
