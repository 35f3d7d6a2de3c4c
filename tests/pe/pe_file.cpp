#include "pe/pe_file.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "platform/memory/byte_reader.h"

namespace {

struct Section {
    std::uint32_t virtualAddress;
    std::uint32_t virtualSize;
    std::uint32_t rawOffset;
    std::uint32_t rawSize;
};

class Image {
public:
    explicit Image(std::vector<std::uint8_t> bytes) : m_bytes(std::move(bytes)) {}

    memory::ByteReader At(std::size_t offset) const {
        memory::ByteReader reader(m_bytes.data(), m_bytes.size());
        reader.Seek(offset);
        return reader;
    }
    memory::ByteReader AtRva(std::uint32_t rva) const { return At(Offset(rva)); }
    std::size_t Offset(std::uint32_t rva) const {
        for (const Section& section : sections) {
            if (rva >= section.virtualAddress &&
                rva < section.virtualAddress + std::max(section.virtualSize, section.rawSize)) {
                return section.rawOffset + (rva - section.virtualAddress);
            }
        }
        throw std::runtime_error("an address outside every section");
    }
    std::string AnsiString(std::uint32_t rva) const {
        std::string text;
        for (auto reader = AtRva(rva);;) {
            const char c = static_cast<char>(reader.U8());
            if (c == 0) return text;
            text.push_back(c);
        }
    }

    std::vector<Section> sections;

private:
    std::vector<std::uint8_t> m_bytes;
};

// The resource directory: type, then name, then language, then the data.
void ReadResourceLevel(const Image& image, std::uint32_t root, std::uint32_t directory, int level,
                       memory::Resource path, std::vector<memory::Resource>& out) {
    auto reader = image.AtRva(root + directory);
    reader.Skip(12);
    const int entries = reader.U16() + reader.U16();
    for (int i = 0; i < entries; ++i) {
        const std::uint32_t name = reader.U32();
        const std::uint32_t target = reader.U32();
        memory::ResourceId id;
        if ((name & 0x80000000u) != 0) {
            auto text = image.AtRva(root + (name & 0x7FFFFFFFu));
            id = memory::ResourceId{false, 0, text.WideChars(text.U16())};
        } else {
            id = memory::ResourceId{true, static_cast<std::uint16_t>(name), {}};
        }
        memory::Resource next = path;
        if (level == 0) next.type = id;
        if (level == 1) next.name = id;
        if (level == 2) next.language = id.number;
        if ((target & 0x80000000u) != 0) {
            ReadResourceLevel(image, root, target & 0x7FFFFFFFu, level + 1, next, out);
            continue;
        }
        auto entry = image.AtRva(root + target);
        const std::uint32_t dataRva = entry.U32();
        const std::uint32_t size = entry.U32();
        auto data = image.AtRva(dataRva);
        for (std::uint32_t b = 0; b < size; ++b) next.data.push_back(data.U8());
        out.push_back(std::move(next));
    }
}

}  // namespace

PeFile ReadPeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("cannot open " + path);
    Image image(std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file), {}));

    auto dos = image.At(0);
    if (dos.U16() != 0x5A4D) throw std::runtime_error(path + " is not an executable");
    const std::uint32_t peOffset = image.At(0x3C).U32();
    auto header = image.At(peOffset);
    if (header.U32() != 0x00004550) throw std::runtime_error(path + " has no PE signature");
    PeFile pe;
    pe.machine = header.U16();
    const int sectionCount = header.U16();
    header.Skip(12);
    const std::uint16_t optionalSize = header.U16();
    header.U16();  // characteristics
    const std::size_t optional = header.Position();
    pe.pe32Plus = header.U16() == 0x20B;
    pe.subsystem = image.At(optional + 68).U16();
    const std::size_t directories = optional + (pe.pe32Plus ? 112 : 96);
    const std::uint32_t importRva = image.At(directories + 8).U32();
    const std::uint32_t resourceRva = image.At(directories + 16).U32();

    auto sections = image.At(optional + optionalSize);
    for (int i = 0; i < sectionCount; ++i) {
        sections.Skip(8);  // name
        Section section{};
        section.virtualSize = sections.U32();
        section.virtualAddress = sections.U32();
        section.rawSize = sections.U32();
        section.rawOffset = sections.U32();
        sections.Skip(16);
        image.sections.push_back(section);
    }

    for (auto imports = image.AtRva(importRva);;) {
        const std::uint32_t lookup = imports.U32();
        imports.Skip(8);
        const std::uint32_t name = imports.U32();
        imports.U32();
        if (lookup == 0 && name == 0) break;
        pe.importedDlls.push_back(image.AnsiString(name));
    }

    std::vector<memory::Resource> resources;
    if (resourceRva != 0) ReadResourceLevel(image, resourceRva, 0, 0, {}, resources);
    pe.resources = memory::ResourceFile::FromResources(std::move(resources));
    return pe;
}
