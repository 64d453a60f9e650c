#pragma once

#include <QString>

// Turns a QLV cache file into an MP4: cuts the embedded stream out into a scratch file and
// remuxes it with the application's ffmpeg, re-encoding only what MP4 cannot hold.
class QlvUnwrapper final
{
public:
    QlvUnwrapper(const QString& ffmpeg, const QString& source, const QString& output, const QString& scratch);

    // On failure error() holds one line and no file is left at the output.
    bool run();
    QString error() const { return m_error; }

private:
    bool extract();
    bool remux(bool reencode);

    QString m_ffmpeg;
    QString m_source;
    QString m_output;
    QString m_scratch;
    QString m_error;
};
