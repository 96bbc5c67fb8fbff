/* The Nemo module: a Comment column for the list view, filled from a worker thread, a "Comment
 * with Scrivlet" menu item for the selected files and folders, and a Comment tab in a file's
 * properties with the whole comment. Nothing here may stop Nemo: no file access on its main loop
 * (but for a look at its actions folders when the module is loaded), no assertion that aborts. */
#include "extensions/common/comment_reader.h"
#include "extensions/nemo/comment_page.h"

#include <libnemo-extension/nemo-column-provider.h>
#include <libnemo-extension/nemo-info-provider.h>
#include <libnemo-extension/nemo-menu-provider.h>
#include <libnemo-extension/nemo-name-and-desc-provider.h>
#include <libnemo-extension/nemo-property-page-provider.h>

#define SCRIVLET_EXPORT __attribute__((visibility("default")))

typedef struct
{
    GObject parent_instance;
} ScrivletNemoProvider;

typedef struct
{
    GObjectClass parent_class;
} ScrivletNemoProviderClass;

G_DEFINE_DYNAMIC_TYPE(ScrivletNemoProvider, scrivlet_nemo_provider, G_TYPE_OBJECT)

/* The scrivlet package's Nemo action already offers "Comment with Scrivlet": the module's own
 * item stands in only where that action is not installed, so the menu never shows it twice. */
static gboolean action_installed;

static gboolean find_action(void)
{
    const char *relative = "nemo/actions/scrivlet-comment.nemo_action";
    char *own = g_build_filename(g_get_user_data_dir(), relative, NULL);
    gboolean found = g_file_test(own, G_FILE_TEST_IS_REGULAR);
    g_free(own);
    for (const char *const *dir = g_get_system_data_dirs(); !found && *dir != NULL; ++dir) {
        char *path = g_build_filename(*dir, relative, NULL);
        found = g_file_test(path, G_FILE_TEST_IS_REGULAR);
        g_free(path);
    }
    return found;
}

static void scrivlet_nemo_provider_init(ScrivletNemoProvider *self)
{
    (void)self;
}

static void scrivlet_nemo_provider_class_init(ScrivletNemoProviderClass *klass)
{
    (void)klass;
}

static void scrivlet_nemo_provider_class_finalize(ScrivletNemoProviderClass *klass)
{
    (void)klass;
}

static GList *get_columns(NemoColumnProvider *provider)
{
    (void)provider;
    NemoColumn *column = nemo_column_new("ScrivletNemo::comment", SCRIVLET_EXT_COLUMN_ATTRIBUTE, "Comment",
                                         "The first line of the Scrivlet comment");
    return g_list_append(NULL, column);
}

static void column_provider_init(gpointer g_iface, gpointer data)
{
    (void)data;
    NemoColumnProviderIface *iface = g_iface;
    iface->get_columns = get_columns;
}

/* One read in progress; its address is the operation handle Nemo holds. */
typedef struct
{
    GClosure *update_complete;
    NemoInfoProvider *provider;
    NemoFileInfo *file;
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
    /* A cancelled update is forgotten by Nemo: completing it would name a stale handle. */
    if (text != NULL && !g_cancellable_is_cancelled(pending->cancellable)) {
        char *line = scrivlet_ext_first_line(text);
        nemo_file_info_add_string_attribute(pending->file, SCRIVLET_EXT_COLUMN_ATTRIBUTE, line);
        g_free(line);
        nemo_info_provider_update_complete_invoke(pending->update_complete, pending->provider,
                                                  (NemoOperationHandle *)pending, NEMO_OPERATION_COMPLETE);
    }
    g_free(text);
    pending_read_free(pending);
}

/* The local path of a regular file, from what Nemo already knows (no file access), or NULL. */
static char *regular_file_path(NemoFileInfo *file)
{
    if (nemo_file_info_get_file_type(file) != G_FILE_TYPE_REGULAR)
        return NULL;
    GFile *location = nemo_file_info_get_location(file);
    char *path = scrivlet_ext_local_path(location);
    g_clear_object(&location);
    return path;
}

static NemoOperationResult update_file_info(NemoInfoProvider *provider, NemoFileInfo *file,
                                            GClosure *update_complete, NemoOperationHandle **handle)
{
    char *path = regular_file_path(file);
    if (path == NULL) {
        nemo_file_info_add_string_attribute(file, SCRIVLET_EXT_COLUMN_ATTRIBUTE, "");
        return NEMO_OPERATION_COMPLETE;
    }
    PendingRead *pending = g_new0(PendingRead, 1);
    pending->update_complete = g_closure_ref(update_complete);
    pending->provider = g_object_ref(provider);
    pending->file = g_object_ref(file);
    pending->cancellable = g_cancellable_new();
    scrivlet_ext_read_comment_async(path, SCRIVLET_EXT_COLUMN_BYTES, pending->cancellable, read_done,
                                    pending);
    g_free(path);
    *handle = (NemoOperationHandle *)pending;
    return NEMO_OPERATION_IN_PROGRESS;
}

static void cancel_update(NemoInfoProvider *provider, NemoOperationHandle *handle)
{
    (void)provider;
    if (handle != NULL)
        g_cancellable_cancel(((PendingRead *)handle)->cancellable);
}

static void info_provider_init(gpointer g_iface, gpointer data)
{
    (void)data;
    NemoInfoProviderIface *iface = g_iface;
    iface->update_file_info = update_file_info;
    iface->cancel_update = cancel_update;
}

static GList *get_file_items(NemoMenuProvider *provider, GtkWidget *window, GList *files)
{
    (void)provider;
    (void)window;
    if (action_installed)
        return NULL;
    GPtrArray *paths = g_ptr_array_new_with_free_func(g_free);
    for (GList *node = files; node != NULL; node = node->next) {
        GFile *location = nemo_file_info_get_location(node->data);
        char *path = scrivlet_ext_local_path(location);
        g_clear_object(&location);
        if (path != NULL)
            g_ptr_array_add(paths, path);
    }
    if (paths->len == 0) {
        g_ptr_array_unref(paths);
        return NULL;
    }
    NemoMenuItem *item = nemo_menu_item_new(
        "ScrivletNemo::comment", "Comment with Scrivlet",
        "List the selected files and folders in Scrivlet to read or write their comments", "scrivlet");
    scrivlet_ext_connect_launch(G_OBJECT(item), paths);
    return g_list_append(NULL, item);
}

static GList *get_background_items(NemoMenuProvider *provider, GtkWidget *window,
                                   NemoFileInfo *current_folder)
{
    (void)provider;
    (void)window;
    (void)current_folder;
    return NULL;
}

static void menu_provider_init(gpointer g_iface, gpointer data)
{
    (void)data;
    NemoMenuProviderIface *iface = g_iface;
    iface->get_file_items = get_file_items;
    iface->get_background_items = get_background_items;
}

static GList *get_pages(NemoPropertyPageProvider *provider, GList *files)
{
    (void)provider;
    /* One regular file's comment; a selection of several has no one comment to show. */
    if (files == NULL || files->next != NULL)
        return NULL;
    char *path = regular_file_path(files->data);
    if (path == NULL)
        return NULL;
    NemoPropertyPage *page = nemo_property_page_new("ScrivletNemo::comment", gtk_label_new("Comment"),
                                                    scrivlet_nemo_comment_page_new(path));
    g_free(path);
    return g_list_append(NULL, page);
}

static void page_provider_init(gpointer g_iface, gpointer data)
{
    (void)data;
    NemoPropertyPageProviderIface *iface = g_iface;
    iface->get_pages = get_pages;
}

/* The name and description Nemo's Edit > Plugins lists the module under. */
static GList *get_name_and_desc(NemoNameAndDescProvider *provider)
{
    (void)provider;
    return g_list_append(NULL, g_strdup("Scrivlet:::Shows Scrivlet comments in a Comment column and tab"));
}

static void name_provider_init(gpointer g_iface, gpointer data)
{
    (void)data;
    NemoNameAndDescProviderIface *iface = g_iface;
    iface->get_name_and_desc = get_name_and_desc;
}

static void add_interface(GTypeModule *module, GType interface, GInterfaceInitFunc init)
{
    const GInterfaceInfo info = {init, NULL, NULL};
    g_type_module_add_interface(module, scrivlet_nemo_provider_type_id, interface, &info);
}

static GType provider_types[1];

SCRIVLET_EXPORT void nemo_module_initialize(GTypeModule *module)
{
    scrivlet_nemo_provider_register_type(module);
    add_interface(module, NEMO_TYPE_COLUMN_PROVIDER, column_provider_init);
    add_interface(module, NEMO_TYPE_INFO_PROVIDER, info_provider_init);
    add_interface(module, NEMO_TYPE_MENU_PROVIDER, menu_provider_init);
    add_interface(module, NEMO_TYPE_PROPERTY_PAGE_PROVIDER, page_provider_init);
    add_interface(module, NEMO_TYPE_NAME_AND_DESC_PROVIDER, name_provider_init);
    provider_types[0] = scrivlet_nemo_provider_get_type();
    action_installed = find_action();
}

SCRIVLET_EXPORT void nemo_module_shutdown(void)
{}

SCRIVLET_EXPORT void nemo_module_list_types(const GType **types, int *num_types)
{
    *types = provider_types;
    *num_types = G_N_ELEMENTS(provider_types);
}
