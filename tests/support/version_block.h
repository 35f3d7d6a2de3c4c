// Reads a version resource (VS_VERSIONINFO) as a tree of keyed nodes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct VersionNode {
    std::string key;
    bool isText = false;
    std::vector<std::uint8_t> value;
    std::vector<VersionNode> children;

    const VersionNode* Child(const std::string& childKey) const;
    // The value as text, without its terminating NUL.
    std::string Text() const;
    std::uint32_t Dword(std::size_t index) const;
};

VersionNode ParseVersionBlock(const std::vector<std::uint8_t>& data);
