#pragma once

#include <QString>

// The C interface of libmediainfo, loaded at run time. Once loaded it stays for the life of
// the process; a failed load is tried again on the next use.
class MediaInfoLibrary final
{
public:
    enum StreamKind
    {
        General = 0,
        Video = 1,
        Audio = 2
    };

    // Loads on first use; false when the library or one of its six functions is missing.
    static bool ensureLoaded();
    // Tests point this at a library that is not there, or back at the real one (empty name).
    static void setModuleNameForTesting(const QString& name);

    // The six calls; each is a no-op (or empty answer) on a null handle.
    static void* create();
    static void open(void* handle, const QString& path);
    static void option(void* handle, const QString& name, const QString& value);
    static QString get(void* handle, StreamKind kind, const QString& parameter);
    static void close(void* handle);
    static void destroy(void* handle);

    MediaInfoLibrary() = delete;
};
