#pragma once

#include <QByteArray>
#include <QtGlobal>

class QIODevice;

// Finds the ordinary media stream inside a QLV cache file, behind the player's own header.
class QlvScanner final
{
public:
    enum Kind
    {
        None,
        Mp4,
        Flv,
        MpegTs
    };
    struct Found
    {
        Kind kind = None;
        qint64 offset = -1;
    };

    // The vendor header is small; a stream that does not begin in the first 64 MiB is not looked for.
    static constexpr qint64 kSearchLimit = 64LL * 1024 * 1024;

    // The earliest recognisable stream start in the device (read from its current start).
    static Found find(QIODevice& device);
    // The same over bytes already in memory; base is their offset in the file.
    static Found findIn(const QByteArray& bytes, qint64 base);

    QlvScanner() = delete;
};
