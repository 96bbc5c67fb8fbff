#include "extensions/nemo/comment_page.h"

#include "extensions/common/comment_reader.h"

#include <scrivlet.h>

static void comment_read(GObject *source, GAsyncResult *result, gpointer data)
{
    (void)source;
    /* The buffer outlives a page closed meanwhile: the text then goes nowhere. */
    GtkTextBuffer *buffer = data;
    int status = SCRIVLET_OK;
    char *text = scrivlet_ext_read_comment_finish(result, &status);
    if (text != NULL) {
        if (status != SCRIVLET_OK) {
            g_free(text);
            text = g_strdup_printf("The comment cannot be read: %s.", scrivlet_status_text(status));
        } else if (*text == '\0') {
            g_free(text);
            text = g_strdup("This file has no comment.");
        }
        gtk_text_buffer_set_text(buffer, text, -1);
        g_free(text);
    }
    g_object_unref(buffer);
}

GtkWidget *scrivlet_nemo_comment_page_new(const char *path)
{
    GtkWidget *view = gtk_text_view_new();
    gtk_text_view_set_editable(GTK_TEXT_VIEW(view), FALSE);
    gtk_text_view_set_cursor_visible(GTK_TEXT_VIEW(view), FALSE);
    gtk_text_view_set_wrap_mode(GTK_TEXT_VIEW(view), GTK_WRAP_WORD_CHAR);
    gtk_text_view_set_left_margin(GTK_TEXT_VIEW(view), 6);
    gtk_text_view_set_right_margin(GTK_TEXT_VIEW(view), 6);
    GtkTextBuffer *buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(view));
    gtk_text_buffer_set_text(buffer, "Reading the comment\xE2\x80\xA6", -1);

    GtkWidget *page = gtk_scrolled_window_new(NULL, NULL);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(page), GTK_POLICY_NEVER, GTK_POLICY_AUTOMATIC);
    gtk_container_set_border_width(GTK_CONTAINER(page), 6);
    gtk_container_add(GTK_CONTAINER(page), view);
    gtk_widget_show_all(page);

    /* Closing the properties window stops a read that has not begun yet. */
    GCancellable *cancellable = g_cancellable_new();
    g_signal_connect_object(page, "destroy", G_CALLBACK(g_cancellable_cancel), cancellable,
                            G_CONNECT_SWAPPED);
    scrivlet_ext_read_comment_async(path, SCRIVLET_MAX_TEXT + 1, cancellable, comment_read,
                                    g_object_ref(buffer));
    g_object_unref(cancellable);
    return page;
}
