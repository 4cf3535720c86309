// SPDX-License-Identifier: MIT
/* Image attributes: a process-wide registry keyed by the record's address, so
 * attributes work on any zoImage, also one a caller built on the stack.  A
 * name holds either a text or an array of reals; setting one kind removes the
 * other.  Texts handed out point into the registry's own strings, whose nodes
 * never move, so they stay valid until that attribute is set again or cleared. */
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "zo_standin.h"
#include "zo_trace_p.h"

namespace {

struct Attributes {
    std::map<std::string, std::string, std::less<>> texts;
    std::map<std::string, std::vector<double>, std::less<>> reals;
};

std::mutex registry_mutex;
std::map<const zoImage *, Attributes> registry;

/* Removes `name` of either kind; drops the image's entry once it is empty. */
void forget(const zoImage *image, const char *name) {
    const auto entry = registry.find(image);
    if (entry == registry.end()) {
        return;
    }
    Attributes &attributes = entry->second;
    if (auto text = attributes.texts.find(name); text != attributes.texts.end()) {
        attributes.texts.erase(text);
    }
    if (auto real = attributes.reals.find(name); real != attributes.reals.end()) {
        attributes.reals.erase(real);
    }
    if (attributes.texts.empty() && attributes.reals.empty()) {
        registry.erase(entry);
    }
}

const Attributes *find(const zoImage *image) {
    const auto entry = registry.find(image);
    return entry == registry.end() ? nullptr : &entry->second;
}

} // namespace

using zo_standin::trace;

extern "C" {

void zoImageSetAttribString(const zoImage *image, const char *name, const char *value) {
    if (!image || !name) {
        return;
    }
    std::lock_guard lock(registry_mutex);
    try {
        forget(image, name);
        if (value) {
            registry[image].texts.emplace(name, value);
        }
    } catch (const std::exception &) {
        /* Out of memory: the attribute is left absent. */
    }
}

void zoImageSetAttribReal(const zoImage *image, const char *name, const double *values,
                          int32_t count) {
    if (!image || !name || count < 0 || (count > 0 && !values)) {
        return;
    }
    std::lock_guard lock(registry_mutex);
    try {
        forget(image, name);
        registry[image].reals.emplace(name, std::vector<double>(values, values + count));
    } catch (const std::exception &) {
        /* Out of memory: the attribute is left absent. */
    }
}

void zoImageClearAttribs(const zoImage *image) {
    std::lock_guard lock(registry_mutex);
    registry.erase(image);
}

const char *zoImageGetAttribString(const zoImage *image, const char *name) {
    trace.call("zoImageGetAttribString", image, name);
    if (!image || !name) {
        return nullptr;
    }
    std::lock_guard lock(registry_mutex);
    const Attributes *attributes = find(image);
    if (!attributes) {
        return nullptr;
    }
    const auto text = attributes->texts.find(name);
    return text == attributes->texts.end() ? nullptr : text->second.c_str();
}

double zoImageGetAttribReal(const zoImage *image, const char *name, int32_t index) {
    trace.call("zoImageGetAttribReal", image, name, index);
    if (!image || !name || index < 0) {
        return 0;
    }
    std::lock_guard lock(registry_mutex);
    const Attributes *attributes = find(image);
    if (!attributes) {
        return 0;
    }
    const auto real = attributes->reals.find(name);
    if (real == attributes->reals.end() || static_cast<size_t>(index) >= real->second.size()) {
        return 0;
    }
    return real->second[static_cast<size_t>(index)];
}

} /* extern "C" */
