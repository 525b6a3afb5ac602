// libFuzzer: any bytes as a PE image. What reads must write back with the same list and read
// back equal (in directory order); a refusal always carries a message. The imports are read too.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/pe/pe_imports.h"
#include "tools/pe/pe_resources.h"
#include "tools/pe/resource_names.h"

namespace {

bool sameName(const ResourceName& a, const ResourceName& b) {
    return a.id == b.id && a.name == b.name;
}

bool sameList(const std::vector<PeResource>& a, const std::vector<PeResource>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (!sameName(a[i].type, b[i].type) || !sameName(a[i].name, b[i].name) ||
            a[i].language != b[i].language || a[i].codePage != b[i].codePage ||
            a[i].data != b[i].data)
            return false;
    }
    return true;
}

// Writes `list` into `image` and reads it back; false when the writer refused (with a message).
bool roundTrip(const std::vector<uint8_t>& image, std::vector<PeResource> list,
               std::vector<uint8_t>& out) {
    std::string error;
    if (!writePeResources(image, list, out, error)) {
        if (error.empty()) std::abort();
        return false;
    }
    std::vector<PeResource> back;
    if (!readPeResources(out, back, error)) std::abort();
    std::stable_sort(list.begin(), list.end(), resourceKeyLess);
    if (!sameList(list, back)) std::abort();
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> image(data, data + size);
    std::vector<PeResource> list;
    std::string error;
    std::vector<PeImport> imports;
    if (!readPeImports(image, imports, error) && error.empty()) std::abort();
    if (!readPeResources(image, list, error)) {
        if (error.empty()) std::abort();
        return 0;
    }
    std::vector<uint8_t> once, twice;
    if (roundTrip(image, list, once)) {
        std::vector<PeResource> again;
        readPeResources(once, again, error);
        roundTrip(once, again, twice);  // a built file builds again
    }
    return 0;
}
