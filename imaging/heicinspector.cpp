#include "imaging/heicinspector.h"

#include <QFile>

#include <libheif/heif.h>

namespace {
// The item properties sit in the "meta" box at the front; real files keep it well inside this.
constexpr qint64 kHeadBytes = 256 * 1024;
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
    heif_context* context = heif_context_alloc();
    heif_image_handle* handle = nullptr;
    // Reading the file parses its boxes only; nothing is decoded.
    if (heif_context_read_from_file(context, QFile::encodeName(path).constData(), nullptr).code ==
            heif_error_Ok &&
        heif_context_get_primary_image_handle(context, &handle).code == heif_error_Ok) {
        const heif_color_profile_type type = heif_image_handle_get_color_profile_type(handle);
        if (type == heif_color_profile_type_prof || type == heif_color_profile_type_rICC) {
            profile.resize(static_cast<int>(heif_image_handle_get_raw_color_profile_size(handle)));
            if (heif_image_handle_get_raw_color_profile(handle, profile.data()).code != heif_error_Ok)
                profile.clear();
        }
        heif_image_handle_release(handle);
    }
    heif_context_free(context);
    return profile;
}
