#pragma once
// For the platform's own sources: the encoded pictures that the build compiles into the
// program (a generated source file defines EmbeddedResources).
#include <cstddef>
#include <span>

struct EmbeddedResource {
    int id;
    const unsigned char* data;
    size_t size;
};

std::span<const EmbeddedResource> EmbeddedResources();
