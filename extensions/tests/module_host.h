#pragma once
/* A small stand-in for the file manager that loads a module (Nautilus's or Nemo's, chosen when
 * compiled: SCRIVLET_HOST_NEMO): it loads the module file through a GTypeModule and its
 * *_module_initialize / *_module_list_types entry points as the host does, and hands the
 * providers file infos of its own. Plain C, so the tests need no GObject macros. */

#include <gio/gio.h>

G_BEGIN_DECLS

/* Loads @module_file and makes one object of each type it lists; FALSE with @error set when any
 * step fails. */
gboolean module_host_load(const char *module_file, char **error);

/* The attribute of the one column the module offers, or NULL when it offers none or several. */
char *module_host_column_attribute(void);

/* Asks the info provider for the file at @path (the bytes of a local path) of @type and runs the
 * main loop until it completes (10 s at most). @text receives the column attribute's value (NULL
 * when it was never set); @in_progress whether the provider answered IN_PROGRESS, so that the
 * reading was left to a worker. FALSE when the update never completed or failed. */
gboolean module_host_update(const char *path, GFileType type, char **text, gboolean *in_progress);

/* The number of items the menu provider offers for the files at @paths; with @activate, the first
 * is activated. */
guint module_host_menu_items(const char *const *paths, guint count, gboolean activate);

#ifdef SCRIVLET_HOST_NEMO
/* The text of the Comment page for the file at @path once the read has finished (10 s at most),
 * and its tab's label in @label; NULL when no page is offered. Needs a display. */
char *module_host_page_text(const char *path, char **label);
#endif

G_END_DECLS
