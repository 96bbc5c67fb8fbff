/* The Nautilus module: a Comment column for the list view, filled from a worker thread, and a
 * "Comment with Scrivlet" menu item for the selected files and folders. Nothing here may stop
 * Nautilus: no file access on its main loop, no assertion that aborts. */
#include "extensions/common/comment_reader.h"

#include <nautilus-extension.h>

#define SCRIVLET_EXPORT __attribute__((visibility("default")))

typedef struct
{
    GObject parent_instance;
} ScrivletNautilusProvider;

typedef struct
{
    GObjectClass parent_class;
} ScrivletNautilusProviderClass;

G_DEFINE_DYNAMIC_TYPE(ScrivletNautilusProvider, scrivlet_nautilus_provider, G_TYPE_OBJECT)

static void scrivlet_nautilus_provider_init(ScrivletNautilusProvider *self)
{
    (void)self;
}

static void scrivlet_nautilus_provider_class_init(ScrivletNautilusProviderClass *klass)
{
    (void)klass;
}

static void scrivlet_nautilus_provider_class_finalize(ScrivletNautilusProviderClass *klass)
{
    (void)klass;
}

static GList *get_columns(NautilusColumnProvider *provider)
{
    (void)provider;
    NautilusColumn *column = nautilus_column_new("ScrivletNautilus::comment", SCRIVLET_EXT_COLUMN_ATTRIBUTE,
                                                 "Comment", "The first line of the Scrivlet comment");
    return g_list_append(NULL, column);
}

static void column_provider_init(gpointer g_iface, gpointer data)
{
    (void)data;
    NautilusColumnProviderInterface *iface = g_iface;
    iface->get_columns = get_columns;
}

/* One read in progress; its address is the operation handle Nautilus holds. */
typedef struct
{
    GClosure *update_complete;
    NautilusInfoProvider *provider;
    NautilusFileInfo *file;
    GCancellable *cancellable;
} PendingRead;

static void pending_read_free(PendingRead *pending)
{
    g_closure_unref(pending->update_complete);
    g_object_unref(pending->provider);
    g_object_unref(pending->file);
    g_object_unref(pending->cancellable);
    g_free(pending);
}

static void read_done(GObject *source, GAsyncResult *result, gpointer data)
{
    (void)source;
    PendingRead *pending = data;
    char *text = scrivlet_ext_read_comment_finish(result, NULL);
    /* A cancelled update is forgotten by Nautilus: completing it would name a stale handle. */
    if (text != NULL && !g_cancellable_is_cancelled(pending->cancellable)) {
        char *line = scrivlet_ext_first_line(text);
        nautilus_file_info_add_string_attribute(pending->file, SCRIVLET_EXT_COLUMN_ATTRIBUTE, line);
        g_free(line);
        nautilus_info_provider_update_complete_invoke(pending->update_complete, pending->provider,
                                                      (NautilusOperationHandle *)pending,
                                                      NAUTILUS_OPERATION_COMPLETE);
    }
    g_free(text);
    pending_read_free(pending);
}

static NautilusOperationResult update_file_info(NautilusInfoProvider *provider, NautilusFileInfo *file,
                                                GClosure *update_complete, NautilusOperationHandle **handle)
{
    char *path = NULL;
    /* Only regular files carry comments; the type is what Nautilus already knows, no file access. */
    if (nautilus_file_info_get_file_type(file) == G_FILE_TYPE_REGULAR) {
        GFile *location = nautilus_file_info_get_location(file);
        path = scrivlet_ext_local_path(location);
        g_clear_object(&location);
    }
    if (path == NULL) {
        nautilus_file_info_add_string_attribute(file, SCRIVLET_EXT_COLUMN_ATTRIBUTE, "");
        return NAUTILUS_OPERATION_COMPLETE;
    }
    PendingRead *pending = g_new0(PendingRead, 1);
    pending->update_complete = g_closure_ref(update_complete);
    pending->provider = g_object_ref(provider);
    pending->file = g_object_ref(file);
    pending->cancellable = g_cancellable_new();
    scrivlet_ext_read_comment_async(path, SCRIVLET_EXT_COLUMN_BYTES, pending->cancellable, read_done,
                                    pending);
    g_free(path);
    *handle = (NautilusOperationHandle *)pending;
    return NAUTILUS_OPERATION_IN_PROGRESS;
}

static void cancel_update(NautilusInfoProvider *provider, NautilusOperationHandle *handle)
{
    (void)provider;
    if (handle != NULL)
        g_cancellable_cancel(((PendingRead *)handle)->cancellable);
}

static void info_provider_init(gpointer g_iface, gpointer data)
{
    (void)data;
    NautilusInfoProviderInterface *iface = g_iface;
    iface->update_file_info = update_file_info;
    iface->cancel_update = cancel_update;
}

static GList *get_file_items(NautilusMenuProvider *provider, GList *files)
{
    (void)provider;
    GPtrArray *paths = g_ptr_array_new_with_free_func(g_free);
    for (GList *node = files; node != NULL; node = node->next) {
        GFile *location = nautilus_file_info_get_location(node->data);
        char *path = scrivlet_ext_local_path(location);
        g_clear_object(&location);
        if (path != NULL)
            g_ptr_array_add(paths, path);
    }
    if (paths->len == 0) {
        g_ptr_array_unref(paths);
        return NULL;
    }
    NautilusMenuItem *item = nautilus_menu_item_new(
        "ScrivletNautilus::comment", "Comment with Scrivlet",
        "List the selected files and folders in Scrivlet to read or write their comments", "scrivlet");
    scrivlet_ext_connect_launch(G_OBJECT(item), paths);
    return g_list_append(NULL, item);
}

static GList *get_background_items(NautilusMenuProvider *provider, NautilusFileInfo *current_folder)
{
    (void)provider;
    (void)current_folder;
    return NULL;
}

static void menu_provider_init(gpointer g_iface, gpointer data)
{
    (void)data;
    NautilusMenuProviderInterface *iface = g_iface;
    iface->get_file_items = get_file_items;
    iface->get_background_items = get_background_items;
}

static void add_interface(GTypeModule *module, GType interface, GInterfaceInitFunc init)
{
    const GInterfaceInfo info = {init, NULL, NULL};
    g_type_module_add_interface(module, scrivlet_nautilus_provider_type_id, interface, &info);
}

static GType provider_types[1];

SCRIVLET_EXPORT void nautilus_module_initialize(GTypeModule *module)
{
    scrivlet_nautilus_provider_register_type(module);
    add_interface(module, NAUTILUS_TYPE_COLUMN_PROVIDER, column_provider_init);
    add_interface(module, NAUTILUS_TYPE_INFO_PROVIDER, info_provider_init);
    add_interface(module, NAUTILUS_TYPE_MENU_PROVIDER, menu_provider_init);
    provider_types[0] = scrivlet_nautilus_provider_get_type();
}

SCRIVLET_EXPORT void nautilus_module_shutdown(void)
{}

SCRIVLET_EXPORT void nautilus_module_list_types(const GType **types, int *num_types)
{
    *types = provider_types;
    *num_types = G_N_ELEMENTS(provider_types);
}
