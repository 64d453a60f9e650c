#include "imaging/heicinspector.h"
#include "platform/logcategories.h"

#include <QDebug>
#include <QFile>
#include <QLibrary>

#include <libheif/heif.h>

namespace {
// The item properties sit in the "meta" box at the front; real files keep it well inside this.
constexpr qint64 kHeadBytes = 256 * 1024;

// libheif is loaded when a HEIC is first looked at: linked, it and its decoders would be loaded
// at every start of the program.
struct Heif
{
    decltype(&::heif_context_alloc) context_alloc;
    decltype(&::heif_context_free) context_free;
    decltype(&::heif_context_read_from_file) context_read_from_file;
    decltype(&::heif_context_get_primary_image_handle) context_get_primary_image_handle;
    decltype(&::heif_image_handle_get_color_profile_type) image_handle_get_color_profile_type;
    decltype(&::heif_image_handle_get_raw_color_profile_size) image_handle_get_raw_color_profile_size;
    decltype(&::heif_image_handle_get_raw_color_profile) image_handle_get_raw_color_profile;
    decltype(&::heif_image_handle_release) image_handle_release;
};

template <typename Function> bool resolve(QLibrary& library, const char* name, Function* function)
{
    *function = reinterpret_cast<Function>(library.resolve(name));
    return *function != nullptr;
}

const Heif* loadHeif()
{
    QLibrary library(QStringLiteral("heif"), 1);
    static Heif api;
    const bool complete =
        library.load() && resolve(library, "heif_context_alloc", &api.context_alloc) &&
        resolve(library, "heif_context_free", &api.context_free) &&
        resolve(library, "heif_context_read_from_file", &api.context_read_from_file) &&
        resolve(library, "heif_context_get_primary_image_handle", &api.context_get_primary_image_handle) &&
        resolve(library, "heif_image_handle_get_color_profile_type",
                &api.image_handle_get_color_profile_type) &&
        resolve(library, "heif_image_handle_get_raw_color_profile_size",
                &api.image_handle_get_raw_color_profile_size) &&
        resolve(library, "heif_image_handle_get_raw_color_profile",
                &api.image_handle_get_raw_color_profile) &&
        resolve(library, "heif_image_handle_release", &api.image_handle_release);
    if (!complete)
        qCDebug(lcImaging) << "libheif could not be loaded:" << library.errorString();
    return complete ? &api : nullptr;
}

// Jobs ask from several threads; the first load is made once.
const Heif* heif()
{
    static const Heif* const api = loadHeif();
    return api;
}
} // namespace

bool HeicInspector::declaresAlpha(const QByteArray& head)
{
    // HEVC alpha planes are tagged "urn:mpeg:hevc:2015:auxid:1" (auxid:2 is depth); newer
    // writers use the MPEG-B name.
    return head.contains("urn:mpeg:hevc:2015:auxid:1") ||
           head.contains("urn:mpeg:mpegB:cicp:systems:auxiliary:alpha");
}

bool HeicInspector::hasAlpha(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return declaresAlpha(file.read(kHeadBytes));
}

QByteArray HeicInspector::iccProfile(const QString& path)
{
    QByteArray profile;
    const Heif* lib = heif();
    if (!lib)
        return profile;
    heif_context* context = lib->context_alloc();
    heif_image_handle* handle = nullptr;
    // Reading the file parses its boxes only; nothing is decoded.
    if (lib->context_read_from_file(context, QFile::encodeName(path).constData(), nullptr).code ==
            heif_error_Ok &&
        lib->context_get_primary_image_handle(context, &handle).code == heif_error_Ok) {
        const heif_color_profile_type type = lib->image_handle_get_color_profile_type(handle);
        if (type == heif_color_profile_type_prof || type == heif_color_profile_type_rICC) {
            profile.resize(static_cast<int>(lib->image_handle_get_raw_color_profile_size(handle)));
            if (lib->image_handle_get_raw_color_profile(handle, profile.data()).code != heif_error_Ok)
                profile.clear();
        }
        lib->image_handle_release(handle);
    }
    lib->context_free(context);
    return profile;
}
