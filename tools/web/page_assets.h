// The web page's pieces, built into velto (web/CMakeLists.txt generates their definitions).
#pragma once

#include <cstddef>

struct PageAsset {
    const unsigned char* bytes;
    std::size_t size;
};

extern const PageAsset kPageWasm;      // the portable core as WebAssembly
extern const PageAsset kPageTemplate;  // HTML with @CSP@, @TITLE@, @CSS@, @DATA@, @JS@
extern const PageAsset kPageStyle;
extern const PageAsset kPageScript;
// 'sha256-...' sources of the Content-Security-Policy for the inline style and script.
extern const char kPageStyleHash[];
extern const char kPageScriptHash[];
