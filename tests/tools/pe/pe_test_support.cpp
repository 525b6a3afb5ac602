#include "pe_test_support.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>

namespace petest {

std::string fixturePath(const std::string& arch, const std::string& variant) {
    return std::string(PE_FIXTURE_DIR) + "/fixture-" + arch + variant + ".exe";
}

std::vector<uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << "cannot open " << path;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << "cannot write " << path;
}

std::string workPath(const std::string& name) {
    mkdir(PE_WORK_DIR, 0755);
    return std::string(PE_WORK_DIR) + "/" + name;
}

std::string objdumpFor(const std::string& arch) {
    return arch == "i686" ? PE_OBJDUMP_I686 : PE_OBJDUMP_X86_64;
}

int runCommand(const std::string& command, std::string& output) {
    output.clear();
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return -1;
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

PeResource makeResource(ResourceName type, ResourceName name, uint16_t language,
                        std::vector<uint8_t> data, uint32_t codePage) {
    PeResource r;
    r.type = std::move(type);
    r.name = std::move(name);
    r.language = language;
    r.codePage = codePage;
    r.data = std::move(data);
    return r;
}

std::vector<uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

std::vector<uint8_t> pattern(size_t size, uint8_t seed) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(i * 31 + seed + (i >> 8));
    return bytes;
}

static std::string nameText(const ResourceName& n) {
    if (!n.isName()) return "#" + std::to_string(n.id);
    std::string s;
    for (char16_t c : n.name) s += c < 0x80 ? static_cast<char>(c) : '?';
    return s;
}

std::string describe(const PeResource& r) {
    return nameText(r.type) + "/" + nameText(r.name) + " lang " + std::to_string(r.language) +
           " cp " + std::to_string(r.codePage) + " (" + std::to_string(r.data.size()) + " bytes)";
}

::testing::AssertionResult sameResources(const std::vector<PeResource>& expected,
                                         const std::vector<PeResource>& actual) {
    std::ostringstream diff;
    for (size_t i = 0; i < std::max(expected.size(), actual.size()); ++i) {
        const std::string e = i < expected.size() ? describe(expected[i]) : "(none)";
        const std::string a = i < actual.size() ? describe(actual[i]) : "(none)";
        const bool sameData = i < expected.size() && i < actual.size() &&
                              expected[i].data == actual[i].data &&
                              expected[i].type.name == actual[i].type.name &&
                              expected[i].name.name == actual[i].name.name;
        if (e != a || !sameData) diff << "  #" << i << ": expected " << e << ", got " << a << "\n";
    }
    if (diff.str().empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "resource lists differ:\n" << diff.str();
}

std::vector<PeResource> sortedResources(std::vector<PeResource> list) {
    auto upper = [](const std::u16string& s) {
        std::u16string u = s;
        for (char16_t& c : u)
            if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
        return u;
    };
    auto key = [&](const ResourceName& n) {
        return std::make_tuple(n.isName() ? 0 : 1, upper(n.name), n.id);
    };
    std::stable_sort(list.begin(), list.end(), [&](const PeResource& a, const PeResource& b) {
        return std::make_tuple(key(a.type), key(a.name), a.language) <
               std::make_tuple(key(b.type), key(b.name), b.language);
    });
    return list;
}

uint32_t u32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24);
}
uint16_t u16(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}
void setU32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
void setU16(std::vector<uint8_t>& b, size_t at, uint16_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}

Headers headersOf(const std::vector<uint8_t>& image) {
    Headers h;
    h.image = &image;
    h.fileHeader = u32(image, 0x3c) + 4;
    h.optionalHeader = h.fileHeader + 20;
    h.is64 = u16(image, h.optionalHeader) == 0x20b;
    h.dataDirectories = h.optionalHeader + (h.is64 ? 112 : 96);
    const size_t table = h.optionalHeader + u16(image, h.fileHeader + 16);
    for (unsigned i = 0; i < u16(image, h.fileHeader + 2); ++i) {
        const size_t at = table + 40 * i;
        std::string name(reinterpret_cast<const char*>(&image[at]), 8);
        name.resize(name.find('\0') == std::string::npos ? 8 : name.find('\0'));
        h.sections.push_back({name, static_cast<uint32_t>(at), u32(image, at + 8),
                              u32(image, at + 12), u32(image, at + 16), u32(image, at + 20)});
    }
    return h;
}

uint32_t Headers::dirRva(int index) const { return u32(*image, dataDirectories + 8 * index); }
uint32_t Headers::dirSize(int index) const { return u32(*image, dataDirectories + 8 * index + 4); }

const Section* Headers::named(const std::string& name) const {
    for (const Section& s : sections)
        if (s.name == name) return &s;
    return nullptr;
}

size_t Headers::rvaToOffset(uint32_t rva) const {
    for (const Section& s : sections)
        if (rva >= s.virtualAddress && rva < s.virtualAddress + s.rawSize)
            return s.rawPointer + (rva - s.virtualAddress);
    return 0;
}

std::vector<size_t> dataEntryOffsets(const std::vector<uint8_t>& image) {
    const Headers h = headersOf(image);
    const size_t root = h.rvaToOffset(h.dirRva(2));
    auto entries = [&](size_t table) { return u16(image, table + 12) + u16(image, table + 14); };
    auto target = [&](size_t entry) { return root + (u32(image, entry + 4) & 0x7fffffff); };
    std::vector<size_t> found;
    for (int i = 0; i < entries(root); ++i) {
        const size_t names = target(root + 16 + 8 * i);
        for (int j = 0; j < entries(names); ++j) {
            const size_t languages = target(names + 16 + 8 * j);
            for (int k = 0; k < entries(languages); ++k)
                found.push_back(target(languages + 16 + 8 * k));
        }
    }
    return found;
}

uint32_t referenceChecksum(const std::vector<uint8_t>& image) {
    uint32_t sum = 0;
    for (size_t i = 0; i < image.size(); i += 2) {
        sum += image[i] | (i + 1 < image.size() ? image[i + 1] << 8 : 0);
        sum = (sum & 0xffff) + (sum >> 16);
    }
    const uint32_t field = u32(image, headersOf(image).optionalHeader + 64);
    const uint32_t low = field & 0xffff, high = field >> 16;
    if ((sum & 0xffff) >= low)
        sum -= low;
    else
        sum = ((sum - low) & 0xffff) - 1;
    if ((sum & 0xffff) >= high)
        sum -= high;
    else
        sum = ((sum - high) & 0xffff) - 1;
    return (sum & 0xffff) + static_cast<uint32_t>(image.size());
}

::testing::AssertionResult validLayout(const std::vector<uint8_t>& image) {
    const Headers h = headersOf(image);
    const uint32_t sectionAlign = u32(image, h.optionalHeader + 32);
    const uint32_t fileAlign = u32(image, h.optionalHeader + 36);
    const uint32_t sizeOfImage = u32(image, h.optionalHeader + 56);
    const uint32_t sizeOfHeaders = u32(image, h.optionalHeader + 60);
    auto up = [](uint64_t v, uint64_t a) { return (v + a - 1) / a * a; };
    std::ostringstream fault;
    const size_t tableEnd =
        h.optionalHeader + u16(image, h.fileHeader + 16) + 40 * h.sections.size();
    if (sizeOfHeaders < tableEnd || sizeOfHeaders % fileAlign) fault << "SizeOfHeaders; ";
    uint64_t virtualEnd = up(sizeOfHeaders, sectionAlign);
    std::vector<std::pair<uint64_t, uint64_t>> raw;
    for (const Section& s : h.sections) {
        if (s.virtualAddress != virtualEnd) fault << s.name << " not right after the previous; ";
        virtualEnd = up(uint64_t{s.virtualAddress} + std::max(s.virtualSize, 1u), sectionAlign);
        if (s.rawSize == 0) continue;
        if (s.rawPointer % fileAlign || s.rawSize % fileAlign) fault << s.name << " unaligned; ";
        if (s.rawPointer < sizeOfHeaders || uint64_t{s.rawPointer} + s.rawSize > image.size())
            fault << s.name << " raw data outside; ";
        raw.emplace_back(s.rawPointer, uint64_t{s.rawPointer} + s.rawSize);
    }
    std::sort(raw.begin(), raw.end());
    for (size_t i = 1; i < raw.size(); ++i)
        if (raw[i].first < raw[i - 1].second) fault << "raw data overlap; ";
    if (sizeOfImage != virtualEnd)
        fault << "SizeOfImage " << sizeOfImage << " vs " << virtualEnd << "; ";
    const Section* rsrc = h.named(".rsrc");
    if (std::count_if(h.sections.begin(), h.sections.end(),
                      [](const Section& s) { return s.name == ".rsrc"; }) != 1)
        fault << "not exactly one .rsrc; ";
    else if (h.dirRva(2) != rsrc->virtualAddress || h.dirSize(2) > rsrc->virtualSize)
        fault << "resource directory entry; ";
    if (u32(image, h.optionalHeader + 64) != referenceChecksum(image)) fault << "checksum; ";
    if (fault.str().empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << fault.str();
}

}  // namespace petest
