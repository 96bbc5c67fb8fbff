#include "extensions/common/comment_reader.h"

#include <scrivlet.h>

#include <string.h>

typedef struct
{
    char *path;
    gsize capacity;
} ReadRequest;

typedef struct
{
    char *text;
    int status;
} ReadOutcome;

static void read_request_free(gpointer data)
{
    ReadRequest *request = data;
    g_free(request->path);
    g_free(request);
}

static void read_outcome_free(gpointer data)
{
    ReadOutcome *outcome = data;
    g_free(outcome->text);
    g_free(outcome);
}

char *scrivlet_ext_read_comment(const char *path, gsize capacity, int *status)
{
    int result = SCRIVLET_E_INVALID;
    char *text = NULL;
    if (path != NULL && capacity > 1 && capacity <= (gsize)G_MAXINT32) {
        /* A failed allocation must not abort the file manager: the comment is then left out. */
        char *area = g_try_malloc(capacity);
        if (area != NULL) {
            result = ReadComments(area, (int32_t)capacity, &path);
            gsize length = strlen(area);
            if (length == capacity - 1) {
                /* Cut at the area's end: drop a character split there rather than show a stray. */
                const char *end = NULL;
                g_utf8_validate(area, (gssize)length, &end);
                if (length - (gsize)(end - area) < 4)
                    length = (gsize)(end - area);
            }
            text = g_utf8_make_valid(area, (gssize)length);
            g_free(area);
        } else {
            result = SCRIVLET_E_IO;
        }
    }
    if (status != NULL)
        *status = result;
    if (result != SCRIVLET_OK) {
        g_free(text);
        text = NULL;
    }
    return text != NULL ? text : g_strdup("");
}

char *scrivlet_ext_first_line(const char *text)
{
    return g_strndup(text, strcspn(text, "\r\n"));
}

static void read_in_thread(GTask *task, gpointer source, gpointer data, GCancellable *cancellable)
{
    (void)source;
    (void)cancellable;
    const ReadRequest *request = data;
    ReadOutcome *outcome = g_new0(ReadOutcome, 1);
    outcome->text = scrivlet_ext_read_comment(request->path, request->capacity, &outcome->status);
    g_task_return_pointer(task, outcome, read_outcome_free);
}

void scrivlet_ext_read_comment_async(const char *path, gsize capacity, GCancellable *cancellable,
                                     GAsyncReadyCallback callback, gpointer user_data)
{
    GTask *task = g_task_new(NULL, cancellable, callback, user_data);
    ReadRequest *request = g_new0(ReadRequest, 1);
    request->path = g_strdup(path);
    request->capacity = capacity;
    g_task_set_task_data(task, request, read_request_free);
    g_task_run_in_thread(task, read_in_thread);
    g_object_unref(task);
}

char *scrivlet_ext_read_comment_finish(GAsyncResult *result, int *status)
{
    ReadOutcome *outcome = g_task_propagate_pointer(G_TASK(result), NULL);
    if (outcome == NULL)
        return NULL;
    char *text = outcome->text;
    if (status != NULL)
        *status = outcome->status;
    outcome->text = NULL;
    read_outcome_free(outcome);
    return text;
}

char *scrivlet_ext_local_path(GFile *location)
{
    return location != NULL ? g_file_get_path(location) : NULL;
}

gboolean scrivlet_ext_launch(GPtrArray *paths, GError **error)
{
    GPtrArray *argv = g_ptr_array_new();
    g_ptr_array_add(argv, (gpointer) "scrivlet");
    for (guint i = 0; i < paths->len; ++i)
        g_ptr_array_add(argv, g_ptr_array_index(paths, i));
    g_ptr_array_add(argv, NULL);
    /* The file manager's paths are absolute, so none of them is taken for an option. */
    gboolean started =
        g_spawn_async(NULL, (char **)argv->pdata, NULL, G_SPAWN_SEARCH_PATH, NULL, NULL, NULL, error);
    g_ptr_array_free(argv, TRUE);
    return started;
}

static void launch_activated(GObject *item, gpointer data)
{
    (void)item;
    GError *error = NULL;
    if (!scrivlet_ext_launch(data, &error)) {
        g_message("Scrivlet cannot be started: %s", error->message);
        g_error_free(error);
    }
}

static void free_paths(gpointer data, GClosure *closure)
{
    (void)closure;
    g_ptr_array_unref(data);
}

void scrivlet_ext_connect_launch(GObject *item, GPtrArray *paths)
{
    g_signal_connect_data(item, "activate", G_CALLBACK(launch_activated), paths, free_paths, 0);
}
