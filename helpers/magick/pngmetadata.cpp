#include "pngmetadata.h"

#include <algorithm>
#include <cstdint>
#include <fstream>

bool pngHasUnreadMetadata(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    char signature[8];
    if (!in.read(signature, 8))
        return false;
    bool pixelsSeen = false;
    for (;;) {
        unsigned char head[8];
        if (!in.read(reinterpret_cast<char*>(head), 8))
            return false;
        const uint32_t length = (uint32_t(head[0]) << 24) | (head[1] << 16) | (head[2] << 8) | head[3];
        const std::string type(reinterpret_cast<char*>(head) + 4, 4);
        if (type == "IEND")
            return false;
        if (type == "IDAT")
            pixelsSeen = true;
        else if (type == "eXIf" && pixelsSeen)
            return true;
        if (type == "tEXt" || type == "zTXt" || type == "iTXt") {
            char keyword[17] = {};
            in.read(keyword, std::min<uint32_t>(length, 16));
            if (std::string(keyword).rfind("Raw profile type", 0) == 0)
                return true;
            in.seekg(static_cast<std::streamoff>(length) - in.gcount() + 4, std::ios::cur);
        } else {
            in.seekg(static_cast<std::streamoff>(length) + 4, std::ios::cur);
        }
        if (!in)
            return false;
    }
}
