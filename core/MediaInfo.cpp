#include "MediaInfo.h"

#include "AppServices.h"
#include "FileUtil.h"
#include "ZR_Py.h"

#include <cstdlib>
#include <plist/plist.h>

namespace {

uint64_t UintAt(plist_t dict, const char* key)
{
    plist_t node = plist_dict_get_item(dict, key);
    uint64_t value = 0;
    if (node && plist_get_node_type(node) == PLIST_UINT)
        plist_get_uint_val(node, &value);
    return value;
}

}  // namespace

void MediaInfo::ReadDictionary(void* dictionary)
{
    plist_t dict = static_cast<plist_t>(dictionary);
    if (!dict || plist_get_node_type(dict) != PLIST_DICT)
        return;
    mediaLength = UintAt(dict, "media-length");
    frameWidth = UintAt(dict, "frame-width");
    frameHeight = UintAt(dict, "frame-height");
    videoBitRate = UintAt(dict, "video-bit-rate");
    frameRate = UintAt(dict, "frame-rate");
    sampleRate = UintAt(dict, "sample-rate");
    channel = UintAt(dict, "channel");
    plist_t layout = plist_dict_get_item(dict, "channel-layout");
    if (layout && plist_get_node_type(layout) == PLIST_STRING) {
        char* text = nullptr;
        plist_get_string_val(layout, &text);
        if (text)
            channelLayout = wxString::FromUTF8(text);
        std::free(text);
    }
    audioBitRate = UintAt(dict, "audio-bit-rate");
    videoLengthMs = UintAt(dict, "video-length-ms");
    audioLengthMs = UintAt(dict, "audio-length-ms");
    videoStartMs = UintAt(dict, "video-start-ms");
    audioStartMs = UintAt(dict, "audio-start-ms");
    plist_t estimated = plist_dict_get_item(dict, "length-estimated");
    uint8_t flag = 0;
    if (estimated && plist_get_node_type(estimated) == PLIST_BOOLEAN)
        plist_get_bool_val(estimated, &flag);
    lengthEstimated = flag != 0;
}

void MediaInfo::ProbeFile(const wxString& path)
{
    PlayerInstance* player = AppServices::Player();
    plist_t dict = player && player->GetMediaInfo
                       ? static_cast<plist_t>(player->GetMediaInfo(FileUtil::ToNative(path).c_str()))
                       : nullptr;
    ReadDictionary(dict);
    if (dict)
        plist_free(dict);
}
