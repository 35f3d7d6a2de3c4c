#include "resources.h"

#include "byte_reader.h"

namespace memory {

namespace {

ResourceId ReadResourceId(ByteReader& reader) {
    const std::uint16_t first = reader.U16();
    if (first == 0xFFFF) return ResourceId{true, reader.U16(), {}};
    if (first == 0) return ResourceId{};
    // A text, whose first character was just read.
    std::string text(1, ByteReader::Narrow(first));
    text += reader.WideString();
    return ResourceId{false, 0, text};
}

void ReadControls(ByteReader& reader, bool extended, int count, DialogTemplate& dialog) {
    for (int i = 0; i < count; ++i) {
        reader.AlignTo4();
        DialogControl control;
        if (extended) {
            control.helpId = reader.U32();
            control.exStyle = reader.U32();
            control.style = reader.U32();
        } else {
            control.style = reader.U32();
            control.exStyle = reader.U32();
        }
        control.x = reader.I16();
        control.y = reader.I16();
        control.cx = reader.I16();
        control.cy = reader.I16();
        control.id = extended ? static_cast<std::int32_t>(reader.U32()) : reader.I16();
        control.windowClass = ReadResourceId(reader);
        control.text = ReadResourceId(reader);
        const std::uint16_t extra = reader.U16();
        for (std::uint16_t b = 0; b < extra; ++b) control.creationData.push_back(reader.U8());
        dialog.controls.push_back(control);
    }
}

std::vector<MenuItem> ReadMenuItems(ByteReader& reader) {
    std::vector<MenuItem> items;
    for (;;) {
        MenuItem item;
        item.flags = reader.U16();
        if ((item.flags & 0x10) == 0) item.id = reader.U16();  // not a pop-up
        item.text = reader.WideString();
        if ((item.flags & 0x10) != 0) item.items = ReadMenuItems(reader);
        const bool last = (item.flags & 0x80) != 0;
        items.push_back(std::move(item));
        if (last) return items;
    }
}

}  // namespace

ResourceFile ResourceFile::Parse(const std::uint8_t* data, std::size_t size) {
    ResourceFile file;
    ByteReader reader(data, size);
    while (!reader.AtEnd()) {
        const std::size_t start = reader.Position();
        const std::uint32_t dataSize = reader.U32();
        const std::uint32_t headerSize = reader.U32();
        Resource resource;
        resource.type = ReadResourceId(reader);
        resource.name = ReadResourceId(reader);
        reader.AlignTo4();
        reader.U32();  // data version
        reader.U16();  // memory flags
        resource.language = reader.U16();
        reader.Seek(start + headerSize);
        for (std::uint32_t i = 0; i < dataSize; ++i) resource.data.push_back(reader.U8());
        reader.AlignTo4();
        // A .res file opens with an empty entry that only marks the format.
        if (!(resource.type.IsNone() && resource.name.IsNone() && dataSize == 0)) {
            file.m_resources.push_back(std::move(resource));
        }
    }
    return file;
}

const Resource* ResourceFile::Find(std::uint16_t type, std::uint16_t name) const {
    for (const Resource& resource : m_resources) {
        if (resource.type.Is(type) && resource.name.Is(name)) return &resource;
    }
    return nullptr;
}

bool ResourceFile::LoadString(unsigned id, std::string& text) const {
    const auto block = static_cast<std::uint16_t>(id / 16 + 1);
    const Resource* resource = Find(RT_STRING, block);
    if (resource == nullptr) return false;
    const auto strings = ParseStringBlock(block, resource->data);
    const auto found = strings.find(id);
    if (found == strings.end() || found->second.empty()) return false;
    text = found->second;
    return true;
}

DialogTemplate ParseDialogTemplate(const std::vector<std::uint8_t>& data) {
    ByteReader reader(data.data(), data.size());
    DialogTemplate dialog;
    const std::uint16_t version = reader.U16();
    const std::uint16_t signature = reader.U16();
    dialog.extended = version == 1 && signature == 0xFFFF;
    if (dialog.extended) {
        dialog.helpId = reader.U32();
        dialog.exStyle = reader.U32();
        dialog.style = reader.U32();
    } else {
        reader.Seek(0);
        dialog.style = reader.U32();
        dialog.exStyle = reader.U32();
    }
    const int count = reader.U16();
    dialog.x = reader.I16();
    dialog.y = reader.I16();
    dialog.cx = reader.I16();
    dialog.cy = reader.I16();
    dialog.menu = ReadResourceId(reader);
    dialog.windowClass = ReadResourceId(reader);
    dialog.caption = reader.WideString();
    if ((dialog.style & 0x40) != 0) {  // DS_SETFONT
        dialog.pointSize = reader.U16();
        if (dialog.extended) {
            dialog.weight = reader.U16();
            dialog.italic = reader.U8() != 0;
            dialog.charset = reader.U8();
        }
        dialog.typeface = reader.WideString();
    }
    ReadControls(reader, dialog.extended, count, dialog);
    return dialog;
}

std::vector<MenuItem> ParseMenuTemplate(const std::vector<std::uint8_t>& data) {
    ByteReader reader(data.data(), data.size());
    const std::uint16_t version = reader.U16();
    const std::uint16_t headerSize = reader.U16();
    if (version != 0) throw std::runtime_error("not a standard menu template");
    reader.Skip(headerSize);
    return ReadMenuItems(reader);
}

std::map<unsigned, std::string> ParseStringBlock(std::uint16_t blockName,
                                                 const std::vector<std::uint8_t>& data) {
    ByteReader reader(data.data(), data.size());
    std::map<unsigned, std::string> strings;
    const unsigned first = (blockName - 1u) * 16u;
    for (unsigned i = 0; i < 16 && !reader.AtEnd(); ++i) {
        const std::uint16_t length = reader.U16();
        if (length != 0) strings[first + i] = reader.WideChars(length);
    }
    return strings;
}

}  // namespace memory
