#include "support/version_block.h"

#include "platform/memory/byte_reader.h"

namespace {

VersionNode ReadNode(memory::ByteReader& reader) {
    reader.AlignTo4();
    const std::size_t start = reader.Position();
    const std::uint16_t length = reader.U16();
    const std::uint16_t valueLength = reader.U16();
    VersionNode node;
    node.isText = reader.U16() == 1;
    node.key = reader.WideString();
    reader.AlignTo4();
    const std::size_t valueBytes = node.isText ? valueLength * 2u : valueLength;
    for (std::size_t i = 0; i < valueBytes && reader.Position() < start + length; ++i) {
        node.value.push_back(reader.U8());
    }
    reader.AlignTo4();
    while (reader.Position() < start + length) node.children.push_back(ReadNode(reader));
    reader.Seek(start + length);
    return node;
}

}  // namespace

const VersionNode* VersionNode::Child(const std::string& childKey) const {
    for (const VersionNode& child : children) {
        if (child.key == childKey) return &child;
    }
    return nullptr;
}

std::string VersionNode::Text() const {
    std::string text;
    for (std::size_t i = 0; i + 1 < value.size(); i += 2) {
        const auto c = static_cast<std::uint16_t>(value[i] | (value[i + 1] << 8));
        if (c == 0) break;
        text.push_back(memory::ByteReader::Narrow(c));
    }
    return text;
}

std::uint32_t VersionNode::Dword(std::size_t index) const {
    memory::ByteReader reader(value.data(), value.size());
    reader.Seek(index * 4);
    return reader.U32();
}

VersionNode ParseVersionBlock(const std::vector<std::uint8_t>& data) {
    memory::ByteReader reader(data.data(), data.size());
    return ReadNode(reader);
}
