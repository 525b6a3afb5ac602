/* What the core needs of the C library, for the WebAssembly build only: a formatter, stream
 * writes that go nowhere and an allocator. The libc's own would bring the whole of stdio, whose
 * streams import file calls from the host (the page allows none), and an allocator five times
 * this size. The core formats integers and strings ("%d", "%s") into buffers; libc++ prints only
 * on its way to abort, which here simply traps. */
#include <stdarg.h>
#include <stddef.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/types.h>

/* libc++ reaches stderr on its way to abort, and some of its string functions name the libc's
 * stream objects: those streams write, seek and close through these three, which here do nothing
 * instead of importing the host's file calls. */
size_t __stdio_write(FILE* stream, const unsigned char* bytes, size_t length) {
    (void)stream;
    (void)bytes;
    return length;
}

off_t __stdio_seek(FILE* stream, off_t offset, int whence) {
    (void)stream;
    (void)offset;
    (void)whence;
    return -1;
}

int __stdio_close(FILE* stream) {
    (void)stream;
    return 0;
}

int fprintf(FILE* stream, const char* format, ...) {
    (void)stream;
    (void)format;
    abort();
}

int vfprintf(FILE* stream, const char* format, va_list args) {
    (void)stream;
    (void)format;
    (void)args;
    abort();
}

static void put(char* out, size_t capacity, size_t* length, char c) {
    if (*length + 1 < capacity) out[*length] = c;
    ++*length;
}

static void putDecimal(char* out, size_t capacity, size_t* length, long long value) {
    char digits[24];
    int count = 0;
    unsigned long long magnitude =
        value < 0 ? 0ULL - (unsigned long long)value : (unsigned long long)value;
    if (value < 0) put(out, capacity, length, '-');
    do {
        digits[count++] = (char)('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    while (count > 0) put(out, capacity, length, digits[--count]);
}

/* %d, %i, %u (with l or ll), %s and %%; anything else is copied as written. */
int vsnprintf(char* out, size_t capacity, const char* format, va_list args) {
    size_t length = 0;
    for (const char* p = format; *p != '\0'; ++p) {
        if (*p != '%' || p[1] == '\0') {
            put(out, capacity, &length, *p);
            continue;
        }
        int longs = 0;
        while (p[1] == 'l') {
            ++longs;
            ++p;
        }
        const char conversion = *++p;
        if (conversion == '\0') break;
        if (conversion == 'd' || conversion == 'i') {
            putDecimal(out, capacity, &length,
                       longs == 0   ? va_arg(args, int)
                       : longs == 1 ? va_arg(args, long)
                                    : va_arg(args, long long));
        } else if (conversion == 'u') {
            putDecimal(out, capacity, &length,
                       longs == 0 ? (long long)va_arg(args, unsigned)
                                  : (long long)va_arg(args, unsigned long));
        } else if (conversion == 's') {
            const char* text = va_arg(args, const char*);
            for (; text && *text != '\0'; ++text) put(out, capacity, &length, *text);
        } else if (conversion == '%') {
            put(out, capacity, &length, '%');
        } else {
            put(out, capacity, &length, '%');
            put(out, capacity, &length, conversion);
        }
    }
    if (capacity > 0) out[length < capacity ? length : capacity - 1] = '\0';
    return (int)length;
}

int snprintf(char* out, size_t capacity, const char* format, ...) {
    va_list args;
    va_start(args, format);
    const int length = vsnprintf(out, capacity, format, args);
    va_end(args);
    return length;
}

/* Memory: blocks in power-of-two classes, each freed block kept for its class, the rest carved
 * from the end of the heap as the module's memory grows. The page's few allocations (texts of at
 * most 260 bytes, the codec's buffers, the layout) need no more, and this is a fifth of the
 * libc's allocator. Blocks are 16-byte aligned, as max_align_t asks. */
#define HEADER 16u
#define CLASSES 28
#define PAGE 65536u

extern unsigned char __heap_base;
static void* freeBlocks[CLASSES];
static size_t heapTop;

static int classOf(size_t size) {
    int c = 0;
    while (((size_t)HEADER << c) < size + HEADER) ++c;
    return c;
}

void* malloc(size_t size) {
    if (size > ((size_t)1 << (CLASSES + 2))) return NULL;
    const int c = classOf(size);
    if (c >= CLASSES) return NULL;
    unsigned char* block = freeBlocks[c];
    if (block) {
        freeBlocks[c] = *(void**)(block + HEADER);
        return block + HEADER;
    }
    if (heapTop == 0) heapTop = ((size_t)&__heap_base + HEADER - 1) & ~(size_t)(HEADER - 1);
    const size_t total = (size_t)HEADER << c;
    const size_t end = heapTop + total;
    const size_t have = __builtin_wasm_memory_size(0) * PAGE;
    if (end > have && __builtin_wasm_memory_grow(0, (end - have + PAGE - 1) / PAGE) == (size_t)-1)
        return NULL;
    block = (unsigned char*)heapTop;
    heapTop = end;
    *(int*)block = c;
    return block + HEADER;
}

void free(void* pointer) {
    if (!pointer) return;
    unsigned char* block = (unsigned char*)pointer - HEADER;
    const int c = *(int*)block;
    *(void**)pointer = freeBlocks[c];
    freeBlocks[c] = block;
}

void* calloc(size_t count, size_t size) {
    if (size != 0 && count > (size_t)-1 / size) return NULL;
    unsigned char* p = malloc(count * size);
    if (p) __builtin_memset(p, 0, count * size);
    return p;
}

void* realloc(void* pointer, size_t size) {
    if (!pointer) return malloc(size);
    const int c = *(int*)((unsigned char*)pointer - HEADER);
    const size_t room = ((size_t)HEADER << c) - HEADER;
    if (size <= room) return pointer;
    void* moved = malloc(size);
    if (moved) {
        __builtin_memcpy(moved, pointer, room);
        free(pointer);
    }
    return moved;
}

/* The aligned operator new: alignments up to the page, carved from a block of size + alignment. */
int posix_memalign(void** out, size_t alignment, size_t size) {
    if (alignment <= HEADER) {
        *out = malloc(size);
        return *out ? 0 : 12; /* ENOMEM */
    }
    (void)out;
    (void)size;
    return 22; /* EINVAL: nothing in the core asks for more than 16 */
}

/* The libc's own names for them (its atexit list asks for memory under this one). */
void* __libc_malloc(size_t size) { return malloc(size); }
void* __libc_calloc(size_t count, size_t size) { return calloc(count, size); }
void __libc_free(void* pointer) { free(pointer); }
