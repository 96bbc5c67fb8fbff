#pragma once
/* The Comment tab of Nemo's file properties: the whole comment of one file, read-only. */

#include <gtk/gtk.h>

G_BEGIN_DECLS

/* A page that shows "Reading the comment…" and then, read in a worker thread, the comment of the
 * file at @path, or a line that says why there is none. */
GtkWidget *scrivlet_nemo_comment_page_new(const char *path);

G_END_DECLS
