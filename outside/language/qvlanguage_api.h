#ifndef RAVLET_OUTSIDE_QVLANGUAGE_API_H
#define RAVLET_OUTSIDE_QVLANGUAGE_API_H
/* The language library "Qvlanguage.dll" (built as Qvlanguage.so): converts
 * whole texts between Simplified and Traditional Chinese characters.
 *
 *   GBtoBIG5: Simplified -> Traditional, in the Taiwan forms (so that the
 *             result can be encoded in Big5).
 *   BIG5toGB: Traditional -> Simplified.
 *
 * Both entry points take and give UTF-8 text and share one signature:
 *
 *   QVLANG_API int64_t GBtoBIG5(const char* text, size_t text_bytes,
 *                    char* buffer, size_t buffer_bytes);
 *
 *   text, text_bytes      the input; it need not end with a zero byte and may
 *                         hold zero bytes, which are kept. Invalid UTF-8
 *                         sequences are read as U+FFFD. text may be NULL when
 *                         text_bytes is 0.
 *   buffer, buffer_bytes  where the result goes, followed by a zero byte.
 *                         buffer may be NULL when buffer_bytes is 0.
 *
 * The return value is the length of the result in bytes, without the zero
 * byte. When it is not below buffer_bytes the buffer was too small: nothing
 * but a zero byte at buffer[0] (when buffer_bytes > 0) was written, and the
 * caller asks again with a buffer of at least the returned length + 1 bytes.
 * A negative value (QVLANG_ERROR) means that the conversion could not be
 * made (for example the conversion tables are missing); the buffer then
 * holds an empty text when buffer_bytes > 0, and QvLanguageLastError tells
 * why. The library never writes past buffer_bytes. The functions may be
 * called from any thread. */

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define QVLANG_ERROR ((int64_t)-1)

#if defined(__GNUC__)
#define QVLANG_API __attribute__((visibility("default")))
#else
#define QVLANG_API
#endif

typedef int64_t (*QvLanguageConvertProc)(const char* text, size_t text_bytes, char* buffer,
                                         size_t buffer_bytes);

QVLANG_API int64_t GBtoBIG5(const char* text, size_t text_bytes, char* buffer, size_t buffer_bytes);
QVLANG_API int64_t BIG5toGB(const char* text, size_t text_bytes, char* buffer, size_t buffer_bytes);

/* The reason of the last failed conversion on the calling thread (UTF-8,
 * never NULL; empty when none failed). Optional for callers. */
QVLANG_API const char* QvLanguageLastError(void);
typedef const char* (*QvLanguageLastErrorProc)(void);

#ifdef __cplusplus
}
#endif

#endif /* RAVLET_OUTSIDE_QVLANGUAGE_API_H */
