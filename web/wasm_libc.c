/* What the core needs of stdio, for the WebAssembly build only. The libc's formatter would bring
 * the whole of stdio, whose streams import file calls from the host: the page allows none. The
 * core formats integers and strings ("%d", "%s") into buffers; libc++ prints only on its way to
 * abort, which here simply traps. */
#include <stdarg.h>
#include <stddef.h>
#include <stdio.h>
#include <stdlib.h>

FILE *const stderr = NULL;

int fprintf(FILE *stream, const char *format, ...) {
    (void)stream;
    (void)format;
    abort();
}

int vfprintf(FILE *stream, const char *format, va_list args) {
    (void)stream;
    (void)format;
    (void)args;
    abort();
}

static void put(char *out, size_t capacity, size_t *length, char c) {
    if (*length + 1 < capacity) out[*length] = c;
    ++*length;
}

static void putDecimal(char *out, size_t capacity, size_t *length, long long value) {
    char digits[24];
    int count = 0;
    unsigned long long magnitude = value < 0 ? 0ULL - (unsigned long long)value : (unsigned long long)value;
    if (value < 0) put(out, capacity, length, '-');
    do {
        digits[count++] = (char)('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    while (count > 0) put(out, capacity, length, digits[--count]);
}

/* %d, %i, %u (with l or ll), %s and %%; anything else is copied as written. */
int vsnprintf(char *out, size_t capacity, const char *format, va_list args) {
    size_t length = 0;
    for (const char *p = format; *p != '\0'; ++p) {
        if (*p != '%' || p[1] == '\0') {
            put(out, capacity, &length, *p);
            continue;
        }
        int longs = 0;
        while (p[1] == 'l') {
            ++longs;
            ++p;
        }
        const char spec = *++p;
        if (spec == '\0') break;
        if (spec == 'd' || spec == 'i') {
            putDecimal(out, capacity, &length,
                       longs == 0 ? va_arg(args, int)
                                  : longs == 1 ? va_arg(args, long) : va_arg(args, long long));
        } else if (spec == 'u') {
            putDecimal(out, capacity, &length,
                       longs == 0 ? (long long)va_arg(args, unsigned)
                                  : (long long)va_arg(args, unsigned long));
        } else if (spec == 's') {
            const char *text = va_arg(args, const char *);
            for (; text && *text != '\0'; ++text) put(out, capacity, &length, *text);
        } else if (spec == '%') {
            put(out, capacity, &length, '%');
        } else {
            put(out, capacity, &length, '%');
            put(out, capacity, &length, spec);
        }
    }
    if (capacity > 0) out[length < capacity ? length : capacity - 1] = '\0';
    return (int)length;
}

int snprintf(char *out, size_t capacity, const char *format, ...) {
    va_list args;
    va_start(args, format);
    const int length = vsnprintf(out, capacity, format, args);
    va_end(args);
    return length;
}
