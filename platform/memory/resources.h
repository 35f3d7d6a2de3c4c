// The resources of a module, read from a compiled resource file (.res): dialog templates, menus
// and string tables decoded, everything else kept as bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace memory {

// A resource type or name, or a class or menu reference in a template: a number or a text.
struct ResourceId {
    bool isNumber = true;
    std::uint16_t number = 0;
    std::string text;
    bool IsNone() const { return isNumber && number == 0; }
    bool Is(std::uint16_t n) const { return isNumber && number == n; }
};

struct Resource {
    ResourceId type;
    ResourceId name;
    std::uint16_t language = 0;
    std::vector<std::uint8_t> data;
};

enum ResourceType : std::uint16_t {
    RT_ICON = 3,
    RT_MENU = 4,
    RT_DIALOG = 5,
    RT_STRING = 6,
    RT_GROUP_ICON = 14,
    RT_VERSION = 16,
    RT_MANIFEST = 24,
};

struct DialogControl {
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::uint32_t helpId = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    int id = 0;
    ResourceId windowClass;
    ResourceId text;
    std::vector<std::uint8_t> creationData;
};

struct DialogTemplate {
    bool extended = false;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::uint32_t helpId = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    ResourceId menu;
    ResourceId windowClass;
    std::string caption;
    int pointSize = 0;
    int weight = 0;
    bool italic = false;
    int charset = 0;
    std::string typeface;
    std::vector<DialogControl> controls;
};

struct MenuItem {
    unsigned flags = 0;
    int id = 0;
    std::string text;
    std::vector<MenuItem> items;  // of a pop-up
};

class ResourceFile {
public:
    ResourceFile() = default;
    // Reads a .res file; throws std::runtime_error when it is malformed.
    static ResourceFile Parse(const std::uint8_t* data, std::size_t size);
    // The resources read from elsewhere, such as an executable.
    static ResourceFile FromResources(std::vector<Resource> resources) {
        ResourceFile file;
        file.m_resources = std::move(resources);
        return file;
    }

    const std::vector<Resource>& All() const { return m_resources; }
    const Resource* Find(std::uint16_t type, std::uint16_t name) const;
    bool LoadString(unsigned id, std::string& text) const;

private:
    std::vector<Resource> m_resources;
};

// Decoders; each throws std::runtime_error on malformed data.
DialogTemplate ParseDialogTemplate(const std::vector<std::uint8_t>& data);
std::vector<MenuItem> ParseMenuTemplate(const std::vector<std::uint8_t>& data);
// The sixteen strings of string-table block `blockName` (ids 16 × (blockName − 1) onwards).
std::map<unsigned, std::string> ParseStringBlock(std::uint16_t blockName,
                                                 const std::vector<std::uint8_t>& data);

}  // namespace memory
