#pragma once
/* Reading a file's comment for the file-manager modules: through libScrivlet only, in a worker
 * thread, as text the toolkits can show. Shared by the Nautilus and Nemo modules (plain C, GLib). */

#include <gio/gio.h>

G_BEGIN_DECLS

/* How much of a comment the list column reads: its first line, cut to this many bytes. */
#define SCRIVLET_EXT_COLUMN_BYTES 4096
/* The name of the string attribute the Comment column shows. */
#define SCRIVLET_EXT_COLUMN_ATTRIBUTE "scrivlet_comment"

/* Reads the comment of the file at @path (the file system's bytes, any encoding), at most
 * @capacity - 1 bytes of it, and gives it as valid UTF-8 (never NULL; empty without a comment or
 * on failure). @status (may be NULL) receives the library's status code. Blocks: worker threads
 * only. */
char *scrivlet_ext_read_comment(const char *path, gsize capacity, int *status);

/* The first line of @text (up to the first CR or LF). */
char *scrivlet_ext_first_line(const char *text);

/* scrivlet_ext_read_comment in a worker thread; @callback runs in the caller's main context. */
void scrivlet_ext_read_comment_async(const char *path, gsize capacity, GCancellable *cancellable,
                                     GAsyncReadyCallback callback, gpointer user_data);
/* The comment read, or NULL when the read was cancelled. */
char *scrivlet_ext_read_comment_finish(GAsyncResult *result, int *status);

/* The local path of @location, or NULL for a file that has none (a remote location). */
char *scrivlet_ext_local_path(GFile *location);

/* Starts the program `scrivlet` (found through PATH) with the paths in @paths, not waiting for
 * it. FALSE with @error set when it cannot be started. */
gboolean scrivlet_ext_launch(GPtrArray *paths, GError **error);

/* Makes the menu item @item start `scrivlet` with @paths when activated; @paths (taken over) goes
 * with the item. */
void scrivlet_ext_connect_launch(GObject *item, GPtrArray *paths);

G_END_DECLS
