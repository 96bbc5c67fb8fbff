/*
 * scrivlet.h - the comment store library (libScrivlet.so, Scrivlet.dll).
 *
 * A comment travels inside its file as a trailer appended to the file's bytes:
 *
 *     "#.START.#"  comment text  "#.END.# "
 *
 * (9 bytes, n bytes, 8 bytes; the blank closing the end marker is the file's last byte). There is
 * no length field and no escape. A file carries a block only when its last eight bytes are the end
 * marker. The text written holds only the 97 kept byte values: 0x20..0x7E, CR (0x0D) and LF (0x0A).
 *
 * Strings are zero-terminated 8-bit strings in the system's 8-bit encoding. Text and path are passed
 * by reference (a pointer to a pointer to the string); the result area of ReadComments and the text
 * of InStrRev and DisplayStringByVal by value. Every call opens and closes its own files and keeps
 * no state, so the library needs no initialisation. Calls are not thread-safe against each other
 * on the same file.
 *
 * The operations that change files never rewrite a file's own bytes: WriteComments only appends,
 * DelComments and eraser only cut the file's end off. Files without a block are never opened for
 * writing. Only regular files are touched; reading never creates a file.
 */
#ifndef SCRIVLET_H
#define SCRIVLET_H

#include <stdint.h>

#if defined(_WIN32)
#define SCRIVLET_CALL __stdcall
#if defined(SCRIVLET_BUILDING)
#define SCRIVLET_API __declspec(dllexport)
#else
#define SCRIVLET_API __declspec(dllimport)
#endif
#else
#define SCRIVLET_CALL
#define SCRIVLET_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/** @name Status codes returned by the operations on files. 0 is success, failures are negative. */
/**@{*/
#define SCRIVLET_OK 0            /**< done */
#define SCRIVLET_E_NOENT (-1)    /**< no such file (or a path component is missing) */
#define SCRIVLET_E_NOTREG (-2)   /**< the path names a folder, FIFO, socket or device, not a regular file */
#define SCRIVLET_E_ACCESS (-3)   /**< no permission to read or write the file */
#define SCRIVLET_E_TOOLONG (-4)  /**< the text is longer than SCRIVLET_MAX_TEXT, or the path too long */
#define SCRIVLET_E_IO (-5)       /**< reading, writing or cutting failed (disk full, I/O error, ...) */
#define SCRIVLET_E_INVALID (-6)  /**< a null pointer where a string was required */
/**@}*/

/** The largest length that WriteComments accepts. */
#define SCRIVLET_MAX_TEXT 1000000

/**
 * Appends the kept bytes of a text to the end of a file (the caller passes the whole block, markers
 * included; the library adds nothing). The file is created when it is missing. Existing bytes are
 * never changed; two calls leave two blocks.
 *
 * @param[in] text    pointer to a pointer to the text; only its first @p length bytes are examined
 *                    (a zero byte among them is dropped like any other byte that is not kept)
 * @param[in] length  number of bytes to examine; 0 or less writes nothing (the file is still created)
 * @param[in] path    pointer to a pointer to the file's path
 * @return SCRIVLET_OK, or SCRIVLET_E_TOOLONG (length above SCRIVLET_MAX_TEXT: nothing written),
 *         SCRIVLET_E_NOTREG, SCRIVLET_E_ACCESS, SCRIVLET_E_NOENT (the folder is missing),
 *         SCRIVLET_E_IO, SCRIVLET_E_INVALID.
 */
SCRIVLET_API int SCRIVLET_CALL WriteComments(const char *const *text, int32_t length, const char *const *path);

/**
 * Extracts the comment text of the file's block into a caller's area: the text from the last start
 * marker before the closing end marker up to the first end marker after it. A file without a block
 * gives the empty text. The file is not changed, and a missing file is not created.
 *
 * @param[out] result   the caller's area; receives the text and a zero byte. At most @p capacity
 *                      bytes are written: a longer text is cut to capacity - 1 bytes. A zero byte in
 *                      the text ends it there. On failure the area receives the empty text.
 * @param[in] capacity  size of @p result in bytes; 0 or less writes nothing at all
 * @param[in] path      pointer to a pointer to the file's path
 * @return SCRIVLET_OK (also for a file without a block), SCRIVLET_E_NOENT, SCRIVLET_E_NOTREG,
 *         SCRIVLET_E_ACCESS, SCRIVLET_E_IO, SCRIVLET_E_INVALID.
 */
SCRIVLET_API int SCRIVLET_CALL ReadComments(char *result, int32_t capacity, const char *const *path);

/**
 * Cuts the file's block off: the file keeps every byte before the start marker that ReadComments
 * takes. A file holding nothing but a block becomes empty. A file without a block (or with an end
 * marker but no start marker) is not opened for writing and keeps its content and times.
 *
 * @param[in] path  pointer to a pointer to the file's path
 * @return SCRIVLET_OK (also when there was nothing to cut), SCRIVLET_E_NOENT, SCRIVLET_E_NOTREG,
 *         SCRIVLET_E_ACCESS, SCRIVLET_E_IO, SCRIVLET_E_INVALID.
 */
SCRIVLET_API int SCRIVLET_CALL DelComments(const char *const *path);

/**
 * Cuts off a trailer delimited by bytes of value 0x81: the file keeps everything before its
 * second-last 0x81 byte. A file with fewer than two 0x81 bytes is left unchanged.
 *
 * @param[in] path  pointer to a pointer to the file's path
 * @return the same statuses as DelComments.
 */
SCRIVLET_API int SCRIVLET_CALL eraser(const char *const *path);

/**
 * Finds the last occurrence of a character in a zero-terminated text.
 *
 * @param[in] text       the text (by value); a null pointer gives 0
 * @param[in] character  the character; only its low 8 bits count. 0 matches the terminator.
 * @return the 1-based position of the last occurrence, 0 when it does not occur; for character 0,
 *         the text's length plus one.
 */
SCRIVLET_API int32_t SCRIVLET_CALL InStrRev(const char *text, int16_t character);

/**
 * Shows the text in a message box titled "Display String ByVal" with the information icon and an
 * OK button, and waits until it is closed.
 *
 * @param[in] text  the message (by value)
 * @return 1 (the OK button) when the box was shown and closed; 0 at once when no box can be shown
 *         (no desktop session, no dialog program).
 */
SCRIVLET_API int32_t SCRIVLET_CALL DisplayStringByVal(const char *text);

#ifdef __cplusplus
}
#endif

/** Whether WriteComments keeps a byte: printable ASCII (0x20..0x7E), CR and LF. Header only. */
static inline int scrivlet_is_kept_byte(unsigned char byte)
{
    return (byte >= 0x20 && byte <= 0x7E) || byte == 0x0D || byte == 0x0A;
}

/** The name of a status code, for messages ("no such file", ...). Not an export: header only. */
static inline const char *scrivlet_status_text(int status)
{
    switch (status) {
    case SCRIVLET_OK: return "done";
    case SCRIVLET_E_NOENT: return "no such file";
    case SCRIVLET_E_NOTREG: return "not a regular file";
    case SCRIVLET_E_ACCESS: return "no access";
    case SCRIVLET_E_TOOLONG: return "too long";
    case SCRIVLET_E_IO: return "input/output error";
    case SCRIVLET_E_INVALID: return "invalid argument";
    default: return "unknown error";
    }
}

#endif /* SCRIVLET_H */
