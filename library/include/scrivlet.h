/*
 * scrivlet.h - the comment store library (libScrivlet.so, Scrivlet.dll).
 *
 * A comment travels inside its file as a trailer appended to the file's bytes:
 *
 *     "#.START.#"  comment text  "#.END.# "
 *
 * (9 bytes, n bytes, 8 bytes; the blank closing the end marker is the file's last byte). There is
 * no length field and no escape. A file carries a block only when its last eight bytes are the end
 * marker and its last start marker begins at most SCRIVLET_MAX_TEXT bytes before its end: no writer
 * ever wrote a longer block, so a longer span is the file's own content (a search reads at most the
 * file's last SCRIVLET_MAX_TEXT bytes, and a new block goes after such content). The text written
 * holds only the 97 kept byte values: 0x20..0x7E, CR (0x0D) and LF (0x0A).
 *
 * Strings are zero-terminated 8-bit strings in the system's 8-bit encoding. Text and path are passed
 * by reference (a pointer to a pointer to the string); the result area of ReadComments and the text
 * of InStrRev and DisplayStringByVal by value. Every call opens and closes the files it works on,
 * and the library needs no initialisation; ReplaceComments keeps only its undo journal open while
 * the process runs (removed when the process ends normally). Calls may come from several threads:
 * those on one file wait for each other like calls from different processes.
 *
 * The operations that change files never rewrite a file's own bytes: WriteComments only appends,
 * DelComments and eraser only cut the file's end off, ReplaceComments writes only from the block's
 * start on. Files without a block are never opened for writing by DelComments and eraser. Only
 * regular files are touched; reading never creates a file, and only WriteComments creates one.
 *
 * Scrivlet's processes never interleave their work on one file: every call takes an advisory lock
 * on the file (shared for ReadComments, exclusive for the calls that change it) and waits a bounded
 * time for it, then gives SCRIVLET_E_BUSY. The lock binds only programs that take it: a program that
 * appends to the same file without locking (a log writer) cannot be held off. ReplaceComments
 * never writes at a fixed offset beyond the end it saw (the rest of a longer block is appended at
 * the true end) and checks the size again right before any cut; when bytes appeared that it did not
 * write, it touches nothing more and gives SCRIVLET_E_CHANGED. (A cut can still take bytes appended
 * in the instant after that last check.)
 *
 * ReplaceComments is the one call for saving and deleting a comment: it survives a full disk, a
 * file-size limit, a failing write and a killed process (see there). The other calls that change
 * files keep their historic behaviour; on a failing write WriteComments cuts the file back to its
 * prior length. A change that would take a file past the process's file-size limit (RLIMIT_FSIZE)
 * is refused with SCRIVLET_E_NOSPACE before anything is written, and the calls that change files
 * hold SIGXFSZ off in the calling thread while they write, consuming one that their own writes
 * raised (a SIGXFSZ pending before the call is left pending).
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
#define SCRIVLET_E_NOTREG (-2)   /**< a folder, FIFO, socket, device or pseudo-file (proc, sysfs, ...) */
#define SCRIVLET_E_ACCESS (-3)   /**< no permission to read or write the file */
#define SCRIVLET_E_TOOLONG (-4)  /**< the text is longer than SCRIVLET_MAX_TEXT, or the path too long */
#define SCRIVLET_E_IO (-5)       /**< reading, writing or cutting failed (an I/O error, ...) */
#define SCRIVLET_E_INVALID (-6)  /**< a null pointer where a string was required */
#define SCRIVLET_E_BUSY (-7)     /**< another Scrivlet call held the file's lock for too long */
#define SCRIVLET_E_MARKER (-8)   /**< the comment would not read back exactly (it holds a marker) */
#define SCRIVLET_E_CHANGED (-9)  /**< the file changed meanwhile (another inode, other bytes) */
#define SCRIVLET_E_NOSPACE (-10) /**< no room: the disk or quota is full, or a file-size limit */
#define SCRIVLET_E_JOURNAL (-11) /**< the undo journal could not be written (see ReplaceComments) */
#define SCRIVLET_E_LOOP (-12)    /**< the path runs into a loop of symbolic links (or too many of them) */
#define SCRIVLET_E_UNSAFE                                                                                    \
    (-13) /**< the undo journal folder (or a journal in it) belongs to another                               \
               user or others may write to it: nothing was changed */
/**@}*/

/** The markers around a comment; both consist of kept bytes only. */
#define SCRIVLET_START_MARKER "#.START.#"
#define SCRIVLET_END_MARKER "#.END.# "

/** The largest length that WriteComments accepts. */
#define SCRIVLET_MAX_TEXT 1000000
/** The longest comment text whose block (text and both markers) fits SCRIVLET_MAX_TEXT. */
#define SCRIVLET_MAX_COMMENT 999983

/** @name Flags of ReplaceComments, to be combined with |. */
/**@{*/
#define SCRIVLET_REPLACE_UTF8 0x1u       /**< keep bytes 0x80..0xFF too (UTF-8 text) */
#define SCRIVLET_REPLACE_KEEP_TIMES 0x2u /**< give the file back its access and modification times */
#define SCRIVLET_REPLACE_SYNC 0x4u       /**< flush the journal and the file to the disk (power cuts) */
#define SCRIVLET_REPLACE_REMOVE 0x8u     /**< remove the block instead; the text is not looked at */
/**@}*/

/** @name Outcomes RecoverComments reports for an interrupted change (failures are SCRIVLET_E_*). */
/**@{*/
#define SCRIVLET_RECOVERED_RESTORED 1  /**< the file's prior bytes were put back */
#define SCRIVLET_RECOVERED_FINISHED 2  /**< the change had been completed: the file keeps it */
#define SCRIVLET_RECOVERED_UNTOUCHED 3 /**< the change had not begun: the file was as before */
#define SCRIVLET_RECOVERED_DISCARDED 4 /**< the record was dropped on request; no file was touched */
/**@}*/

/** @name Flags of SettleComments. */
/**@{*/
#define SCRIVLET_SETTLE_DISCARD 0x1u /**< drop the records that name the path; touch no file */
/**@}*/

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
 *         SCRIVLET_E_NOSPACE, SCRIVLET_E_IO (on both the file is cut back to its prior length),
 *         SCRIVLET_E_BUSY, SCRIVLET_E_INVALID. A killed process may leave part of the text
 *         appended; ReplaceComments does not.
 */
SCRIVLET_API int SCRIVLET_CALL WriteComments(const char *const *text, int32_t length,
                                             const char *const *path);

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
 *         SCRIVLET_E_ACCESS, SCRIVLET_E_IO, SCRIVLET_E_BUSY, SCRIVLET_E_INVALID.
 */
SCRIVLET_API int SCRIVLET_CALL ReadComments(char *result, int32_t capacity, const char *const *path);

/**
 * Cuts the file's block off: the file keeps every byte before the start marker that ReadComments
 * takes. A file holding nothing but a block becomes empty. A file without a block (or with an end
 * marker but no start marker) is not opened for writing and keeps its content and times.
 *
 * @param[in] path  pointer to a pointer to the file's path
 * @return SCRIVLET_OK (also when there was nothing to cut), SCRIVLET_E_NOENT, SCRIVLET_E_NOTREG,
 *         SCRIVLET_E_ACCESS, SCRIVLET_E_IO, SCRIVLET_E_CHANGED (the file grew or was replaced
 *         between the search and the cut: nothing cut), SCRIVLET_E_BUSY, SCRIVLET_E_INVALID.
 */
SCRIVLET_API int SCRIVLET_CALL DelComments(const char *const *path);

/**
 * Cuts off a trailer delimited by bytes of value 0x81: the file keeps everything before its
 * second-last 0x81 byte. A file with fewer than two 0x81 bytes is left unchanged. It knows nothing
 * of comment blocks: UTF-8 text (a comment saved with SCRIVLET_REPLACE_UTF8, or the file's own
 * bytes) may hold 0x81 bytes, and the cut then falls inside it.
 *
 * @param[in] path  pointer to a pointer to the file's path
 * @return the same statuses as DelComments.
 */
SCRIVLET_API int SCRIVLET_CALL eraser(const char *const *path);

/**
 * Replaces the file's comment block by the block of @p text, or removes it, as one change: the
 * file ends either as before or as asked, never in between. The file must exist (it is not
 * created). Without flags the file ends exactly as after DelComments followed by WriteComments of
 * SCRIVLET_START_MARKER, the text and SCRIVLET_END_MARKER.
 *
 * How: one open of the file, an exclusive lock, a read of its tail only. An undo record (the path,
 * the old block and the new one) goes to this process's journal before the file is touched; the
 * journal lives in $XDG_STATE_HOME/scrivlet/ (by default ~/.local/state/scrivlet/), on Windows in
 * %LOCALAPPDATA%\Scrivlet\. Then the space is reserved where the file system allows it, the new
 * block is written over the old one and the file is cut only when the block got shorter.
 *
 * On failure: any error (a full disk, a file-size limit, a failing write or cut) puts the file's
 * prior bytes back before the call returns it, so a failed call leaves the file as it was. A killed
 * process leaves its undo record behind: RecoverComments (which the programs call when they start),
 * the first ReplaceComments of a process, or the next ReplaceComments on that file in any process
 * puts the file's prior bytes back (ReadComments never does). With
 * SCRIVLET_REPLACE_SYNC the record and the file are flushed to the disk, so this holds after a
 * power cut too; without it, it holds as long as the system keeps running.
 *
 * @param[in] path    pointer to a pointer to the file's path
 * @param[in] text    pointer to a pointer to the comment text, without markers; only its first
 *                    @p length bytes are examined and only kept bytes are stored (with
 *                    SCRIVLET_REPLACE_UTF8 also 0x80..0xFF). Not looked at with SCRIVLET_REPLACE_REMOVE.
 * @param[in] length  number of bytes to examine, at most SCRIVLET_MAX_COMMENT; 0 or less gives the
 *                    empty comment (a block of the two markers)
 * @param[in] flags   SCRIVLET_REPLACE_* flags combined with |; others are ignored
 * @return SCRIVLET_OK, or without a change to the file: SCRIVLET_E_TOOLONG (length above
 *         SCRIVLET_MAX_COMMENT), SCRIVLET_E_MARKER (the kept text contains a marker or forms one
 *         with the block's markers, so it would not read back as given), SCRIVLET_E_NOENT (the
 *         file is missing), SCRIVLET_E_NOTREG, SCRIVLET_E_ACCESS, SCRIVLET_E_BUSY,
 *         SCRIVLET_E_JOURNAL (the journal folder cannot be made or written), SCRIVLET_E_NOSPACE,
 *         SCRIVLET_E_IO, SCRIVLET_E_CHANGED (another program appended to the file meanwhile: its bytes
 *         are kept, the old block is put back unless part of the new one already lies behind
 *         them),
 *         SCRIVLET_E_INVALID. Should even putting the prior bytes back fail, the undo record stays
 *         and the status is still returned: RecoverComments puts them back later. (Only when the
 *         journal fails twice at the very end, after the file was written, does the new block stay
 *         although the call reports the failure.)
 */
SCRIVLET_API int SCRIVLET_CALL ReplaceComments(const char *const *path, const char *const *text,
                                               int32_t length, uint32_t flags);

/** Receives one interrupted change found by RecoverComments: the file's path and the outcome, a
 *  SCRIVLET_RECOVERED_* value or the SCRIVLET_E_* status for which the file was left alone. */
typedef void(SCRIVLET_CALL *ScrivletRecoveryReport)(void *context, const char *path, int32_t outcome);

/**
 * Finishes the changes of ReplaceComments that a killed process (or a power cut, with
 * SCRIVLET_REPLACE_SYNC) interrupted: for each undo record of a process that has ended, the file
 * at the record's path (made absolute when the change was made, so the current folder does not
 * matter) gets its prior bytes back when it is still as the interrupted change could have left it.
 * Records of running processes are not touched. ReplaceComments does the same on its own;
 * programs call this at their start so that no file stays half-written until then.
 *
 * A record is dropped only when its file was restored or provably needs nothing: the change had
 * completed or not begun, or the very file (same inode) has changed since (SCRIVLET_E_CHANGED,
 * reported once). A record whose file is not at its path (missing, or another file in its place:
 * SCRIVLET_E_NOENT), or cannot be opened or locked now, is kept and reported at every call, until
 * SettleComments finds the file where it is now, a ReplaceComments of that file settles it, or
 * SettleComments with SCRIVLET_SETTLE_DISCARD drops it.
 *
 * A journal in which a record other than a torn last one fails its checksum is damaged: its
 * records that can be read are settled, and it is renamed to NAME.journal.bad. Each such file in
 * the journal folder is reported at every call with its path and SCRIVLET_E_JOURNAL.
 *
 * @param[in] report   called once per record found (may be null); also with the journal folder's
 *                     path and SCRIVLET_E_UNSAFE when the folder is not safe to use
 * @param[in] context  handed to @p report unchanged
 * @return SCRIVLET_OK when every record found was settled (or none was found), otherwise the
 *         status of the first record kept or left alone: SCRIVLET_E_CHANGED, SCRIVLET_E_NOENT,
 *         SCRIVLET_E_BUSY, SCRIVLET_E_ACCESS, SCRIVLET_E_IO; SCRIVLET_E_JOURNAL when the journal
 *         folder cannot be read; SCRIVLET_E_UNSAFE when it is another user's or writable by others.
 */
SCRIVLET_API int SCRIVLET_CALL RecoverComments(ScrivletRecoveryReport report, void *context);

/**
 * Settles the kept undo records of one file, wherever the records say it was: every unfinished
 * record of an ended process whose file has the inode of the file at @p path now is settled on
 * that file as RecoverComments would (for a file renamed or moved, or reached through another
 * mount). With SCRIVLET_SETTLE_DISCARD instead, every unfinished record of an ended process whose
 * path is @p path (made absolute from the current folder) is dropped without touching any file,
 * for a record whose file is gone for good.
 *
 * @param[in] path     pointer to a pointer to the file's path
 * @param[in] flags    0 or SCRIVLET_SETTLE_DISCARD; others are ignored
 * @param[in] report   called once per record settled, kept or dropped (may be null), with the path
 *                     the record names and the outcome (SCRIVLET_RECOVERED_DISCARDED when dropped)
 * @param[in] context  handed to @p report unchanged
 * @return SCRIVLET_OK (also when no record concerns the file), or as RecoverComments; without
 *         SCRIVLET_SETTLE_DISCARD also the statuses of opening the file (SCRIVLET_E_NOENT, ...).
 */
SCRIVLET_API int SCRIVLET_CALL SettleComments(const char *const *path, uint32_t flags,
                                              ScrivletRecoveryReport report, void *context);

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
    case SCRIVLET_OK:
        return "done";
    case SCRIVLET_E_NOENT:
        return "no such file";
    case SCRIVLET_E_NOTREG:
        return "not a regular file";
    case SCRIVLET_E_ACCESS:
        return "no access";
    case SCRIVLET_E_TOOLONG:
        return "too long";
    case SCRIVLET_E_IO:
        return "input/output error";
    case SCRIVLET_E_INVALID:
        return "invalid argument";
    case SCRIVLET_E_BUSY:
        return "busy (locked by another Scrivlet program)";
    case SCRIVLET_E_MARKER:
        return "the comment contains a comment marker";
    case SCRIVLET_E_CHANGED:
        return "the file changed meanwhile";
    case SCRIVLET_E_NOSPACE:
        return "no space left (disk full or file-size limit)";
    case SCRIVLET_E_JOURNAL:
        return "the undo journal cannot be written";
    case SCRIVLET_E_LOOP:
        return "too many levels of symbolic links";
    case SCRIVLET_E_UNSAFE:
        return "the undo journal folder is another user's or writable by others";
    default:
        return "unknown error";
    }
}

#endif /* SCRIVLET_H */
