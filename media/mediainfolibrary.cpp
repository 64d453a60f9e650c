#include "media/mediainfolibrary.h"

#include <QLibrary>
#include <QMutex>
#include <clocale>
#include <cstddef>
#include <cstring>
#include <langinfo.h>
#include <locale.h>
#include <string>

namespace {
// MediaInfoDLL.h: Info_Name = 0, Info_Text = 1.
constexpr int kInfoName = 0;
constexpr int kInfoText = 1;

using NewFn = void* (*)();
using OpenFn = size_t (*)(void*, const wchar_t*);
using OptionFn = const wchar_t* (*)(void*, const wchar_t*, const wchar_t*);
using GetFn = const wchar_t* (*)(void*, int, size_t, const wchar_t*, int, int);
using HandleFn = void (*)(void*);

struct Api
{
    NewFn create = nullptr;
    OpenFn open = nullptr;
    OptionFn option = nullptr;
    GetFn get = nullptr;
    HandleFn close = nullptr;
    HandleFn destroy = nullptr;
    bool complete() const { return create && open && option && get && close && destroy; }
};

struct State
{
    QMutex mutex;
    QString moduleName;
    Api api;
};

State& state()
{
    static State s;
    return s;
}

Api resolve(QLibrary& library)
{
    Api api;
    api.create = reinterpret_cast<NewFn>(library.resolve("MediaInfo_New"));
    api.open = reinterpret_cast<OpenFn>(library.resolve("MediaInfo_Open"));
    api.option = reinterpret_cast<OptionFn>(library.resolve("MediaInfo_Option"));
    api.get = reinterpret_cast<GetFn>(library.resolve("MediaInfo_Get"));
    api.close = reinterpret_cast<HandleFn>(library.resolve("MediaInfo_Close"));
    api.destroy = reinterpret_cast<HandleFn>(library.resolve("MediaInfo_Delete"));
    return api;
}

Api loadedApi()
{
    State& s = state();
    QMutexLocker lock(&s.mutex);
    if (!s.api.complete()) {
        // The library is never unloaded: handles and answers point into it.
        QLibrary library(s.moduleName.isEmpty() ? QStringLiteral("libmediainfo.so.0") : s.moduleName);
        if (library.load()) {
            s.api = resolve(library);
            if (!s.api.complete())
                s.api = Api();
        }
    }
    return s.api;
}

QString fromWide(const wchar_t* text)
{
    return text ? QString::fromWCharArray(text) : QString();
}
} // namespace

bool MediaInfoLibrary::ensureLoaded()
{
    return loadedApi().complete();
}

void MediaInfoLibrary::setModuleNameForTesting(const QString& name)
{
    State& s = state();
    QMutexLocker lock(&s.mutex);
    s.moduleName = name;
    s.api = Api();
}

void* MediaInfoLibrary::create()
{
    const Api api = loadedApi();
    return api.complete() ? api.create() : nullptr;
}

void MediaInfoLibrary::open(void* handle, const QString& path)
{
    if (!handle)
        return;
    // The library turns the wide name into bytes by the C locale's character set: under "C" a
    // Chinese name becomes nothing it can open. A UTF-8 character set for this thread only,
    // for the call, leaves the rest of the process as it is.
    locale_t utf8 = nullptr;
    locale_t previous = nullptr;
    if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) {
        const locale_t base = duplocale(LC_GLOBAL_LOCALE);
        utf8 = base ? newlocale(LC_CTYPE_MASK, "C.UTF-8", base) : nullptr;
        if (utf8)
            previous = uselocale(utf8);
        else if (base)
            freelocale(base);
    }
    loadedApi().open(handle, path.toStdWString().c_str());
    if (utf8) {
        uselocale(previous);
        freelocale(utf8);
    }
}

void MediaInfoLibrary::option(void* handle, const QString& name, const QString& value)
{
    if (handle)
        loadedApi().option(handle, name.toStdWString().c_str(), value.toStdWString().c_str());
}

QString MediaInfoLibrary::get(void* handle, StreamKind kind, const QString& parameter)
{
    if (!handle)
        return QString();
    return fromWide(loadedApi().get(handle, kind, 0, parameter.toStdWString().c_str(), kInfoText, kInfoName));
}

void MediaInfoLibrary::close(void* handle)
{
    if (handle)
        loadedApi().close(handle);
}

void MediaInfoLibrary::destroy(void* handle)
{
    if (handle)
        loadedApi().destroy(handle);
}
