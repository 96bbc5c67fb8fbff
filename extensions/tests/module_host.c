#include "extensions/tests/module_host.h"

#include <gmodule.h>

#ifdef SCRIVLET_HOST_NEMO
#include <libnemo-extension/nemo-column-provider.h>
#include <libnemo-extension/nemo-info-provider.h>
#include <libnemo-extension/nemo-menu-provider.h>
#include <libnemo-extension/nemo-property-page-provider.h>
#include <libnemo-extension/nemo-property-page.h>
#define HOST_PREFIX "nemo"
#define HOST_TYPE_FILE_INFO NEMO_TYPE_FILE_INFO
#define HOST_TYPE_INFO_PROVIDER NEMO_TYPE_INFO_PROVIDER
#define HOST_TYPE_COLUMN_PROVIDER NEMO_TYPE_COLUMN_PROVIDER
#define HOST_TYPE_MENU_PROVIDER NEMO_TYPE_MENU_PROVIDER
#define HOST_OPERATION_COMPLETE NEMO_OPERATION_COMPLETE
#define HOST_OPERATION_IN_PROGRESS NEMO_OPERATION_IN_PROGRESS
typedef NemoFileInfo HostFileInfo;
typedef NemoFileInfoInterface HostFileInfoInterface;
typedef NemoOperationHandle HostOperationHandle;
typedef NemoOperationResult HostOperationResult;
#define host_update_file_info(p, f, c, h)                                                                    \
    nemo_info_provider_update_file_info((NemoInfoProvider *)(p), f, c, h)
#define host_get_columns(p) nemo_column_provider_get_columns((NemoColumnProvider *)(p))
#define host_get_file_items(p, files) nemo_menu_provider_get_file_items((NemoMenuProvider *)(p), NULL, files)
#define host_menu_item_activate(i) nemo_menu_item_activate(i)
#else
#include <nautilus-extension.h>
#define HOST_PREFIX "nautilus"
#define HOST_TYPE_FILE_INFO NAUTILUS_TYPE_FILE_INFO
#define HOST_TYPE_INFO_PROVIDER NAUTILUS_TYPE_INFO_PROVIDER
#define HOST_TYPE_COLUMN_PROVIDER NAUTILUS_TYPE_COLUMN_PROVIDER
#define HOST_TYPE_MENU_PROVIDER NAUTILUS_TYPE_MENU_PROVIDER
#define HOST_OPERATION_COMPLETE NAUTILUS_OPERATION_COMPLETE
#define HOST_OPERATION_IN_PROGRESS NAUTILUS_OPERATION_IN_PROGRESS
typedef NautilusFileInfo HostFileInfo;
typedef NautilusFileInfoInterface HostFileInfoInterface;
typedef NautilusOperationHandle HostOperationHandle;
typedef NautilusOperationResult HostOperationResult;
#define host_update_file_info(p, f, c, h)                                                                    \
    nautilus_info_provider_update_file_info((NautilusInfoProvider *)(p), f, c, h)
#define host_get_columns(p) nautilus_column_provider_get_columns((NautilusColumnProvider *)(p))
#define host_get_file_items(p, files)                                                                        \
    nautilus_menu_provider_get_file_items((NautilusMenuProvider *)(p), files)
#define host_menu_item_activate(i) nautilus_menu_item_activate(i)
#endif

/* ---- the file info: a location, a type and the string attributes added to it ---- */

typedef struct
{
    GObject parent_instance;
    GFile *location;
    GFileType type;
    GHashTable *attributes;
} StandInFile;

typedef struct
{
    GObjectClass parent_class;
} StandInFileClass;

static void stand_in_file_iface_init(HostFileInfoInterface *iface);

G_DEFINE_TYPE_WITH_CODE(StandInFile, stand_in_file, G_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(HOST_TYPE_FILE_INFO, stand_in_file_iface_init))

static void stand_in_file_finalize(GObject *object)
{
    StandInFile *self = (StandInFile *)object;
    g_clear_object(&self->location);
    g_hash_table_unref(self->attributes);
    G_OBJECT_CLASS(stand_in_file_parent_class)->finalize(object);
}

static void stand_in_file_class_init(StandInFileClass *klass)
{
    G_OBJECT_CLASS(klass)->finalize = stand_in_file_finalize;
}

static void stand_in_file_init(StandInFile *self)
{
    self->attributes = g_hash_table_new_full(g_str_hash, g_str_equal, g_free, g_free);
}

static GFile *file_get_location(HostFileInfo *file)
{
    return g_object_ref(((StandInFile *)file)->location);
}

static GFileType file_get_file_type(HostFileInfo *file)
{
    return ((StandInFile *)file)->type;
}

static gboolean file_is_directory(HostFileInfo *file)
{
    return ((StandInFile *)file)->type == G_FILE_TYPE_DIRECTORY;
}

static gboolean file_is_gone(HostFileInfo *file)
{
    (void)file;
    return FALSE;
}

static char *file_get_uri(HostFileInfo *file)
{
    return g_file_get_uri(((StandInFile *)file)->location);
}

static char *file_get_name(HostFileInfo *file)
{
    return g_file_get_basename(((StandInFile *)file)->location);
}

static char *file_get_uri_scheme(HostFileInfo *file)
{
    return g_file_get_uri_scheme(((StandInFile *)file)->location);
}

static void file_add_string_attribute(HostFileInfo *file, const char *name, const char *value)
{
    g_hash_table_replace(((StandInFile *)file)->attributes, g_strdup(name), g_strdup(value));
}

static char *file_get_string_attribute(HostFileInfo *file, const char *name)
{
    return g_strdup(g_hash_table_lookup(((StandInFile *)file)->attributes, name));
}

static void stand_in_file_iface_init(HostFileInfoInterface *iface)
{
    iface->get_location = file_get_location;
    iface->get_file_type = file_get_file_type;
    iface->is_directory = file_is_directory;
    iface->is_gone = file_is_gone;
    iface->get_uri = file_get_uri;
    iface->get_activation_uri = file_get_uri;
    iface->get_name = file_get_name;
    iface->get_uri_scheme = file_get_uri_scheme;
    iface->add_string_attribute = file_add_string_attribute;
    iface->get_string_attribute = file_get_string_attribute;
}

static StandInFile *stand_in_file_new(const char *path, GFileType type)
{
    StandInFile *file = g_object_new(stand_in_file_get_type(), NULL);
    file->location = g_file_new_for_path(path);
    file->type = type;
    return file;
}

/* ---- the module, loaded as the host's GTypeModule loads it ---- */

typedef struct
{
    GTypeModule parent_instance;
    GModule *library;
    char *file;
} HostModule;

typedef struct
{
    GTypeModuleClass parent_class;
} HostModuleClass;

G_DEFINE_TYPE(HostModule, host_module, G_TYPE_TYPE_MODULE)

static gboolean host_module_load(GTypeModule *type_module)
{
    HostModule *module = (HostModule *)type_module;
    module->library = g_module_open(module->file, G_MODULE_BIND_LAZY | G_MODULE_BIND_LOCAL);
    void (*initialize)(GTypeModule *) = NULL;
    if (module->library == NULL ||
        !g_module_symbol(module->library, HOST_PREFIX "_module_initialize", (gpointer *)&initialize))
        return FALSE;
    initialize(type_module);
    return TRUE;
}

static void host_module_unload(GTypeModule *type_module)
{
    (void)type_module; /* the hosts never unload a module either */
}

static void host_module_class_init(HostModuleClass *klass)
{
    G_TYPE_MODULE_CLASS(klass)->load = host_module_load;
    G_TYPE_MODULE_CLASS(klass)->unload = host_module_unload;
}

static void host_module_init(HostModule *self)
{
    (void)self;
}

static GList *providers;

gboolean module_host_load(const char *module_file, char **error)
{
    HostModule *module = g_object_new(host_module_get_type(), NULL);
    module->file = g_strdup(module_file);
    if (!g_type_module_use(G_TYPE_MODULE(module))) {
        *error = g_strdup_printf("cannot load %s: %s", module_file, g_module_error());
        return FALSE;
    }
    void (*list_types)(const GType **, int *) = NULL;
    if (!g_module_symbol(module->library, HOST_PREFIX "_module_list_types", (gpointer *)&list_types)) {
        *error = g_strdup("no " HOST_PREFIX "_module_list_types");
        return FALSE;
    }
    const GType *types = NULL;
    int count = 0;
    list_types(&types, &count);
    for (int i = 0; i < count; ++i)
        providers = g_list_append(providers, g_object_new(types[i], NULL));
    if (providers == NULL) {
        *error = g_strdup("the module lists no type");
        return FALSE;
    }
    return TRUE;
}

static GObject *provider_of(GType interface)
{
    for (GList *node = providers; node != NULL; node = node->next) {
        if (G_TYPE_CHECK_INSTANCE_TYPE(node->data, interface))
            return node->data;
    }
    return NULL;
}

char *module_host_column_attribute(void)
{
    GObject *provider = provider_of(HOST_TYPE_COLUMN_PROVIDER);
    if (provider == NULL)
        return NULL;
    GList *columns = host_get_columns(provider);
    char *attribute = NULL;
    if (columns != NULL && columns->next == NULL)
        g_object_get(columns->data, "attribute", &attribute, NULL);
#ifdef SCRIVLET_HOST_NEMO
    /* Finalizing a NemoColumn once GTK is loaded reads freed memory in libnemo-extension 5.6;
     * Nemo keeps its columns for its lifetime, and so does the stand-in. */
    g_list_free(columns);
#else
    g_list_free_full(columns, g_object_unref);
#endif
    return attribute;
}

typedef struct
{
    gboolean completed;
    HostOperationResult result;
    HostOperationHandle *handle;
} UpdateState;

static void update_completed(GObject *provider, HostOperationHandle *handle, HostOperationResult result,
                             gpointer data)
{
    (void)provider;
    UpdateState *state = data;
    state->completed = state->handle == handle;
    state->result = result;
}

static gboolean time_is_up(gpointer data)
{
    *(gboolean *)data = TRUE;
    return G_SOURCE_REMOVE;
}

static void run_until(const gboolean *done)
{
    gboolean late = FALSE;
    guint timer = g_timeout_add_seconds(10, time_is_up, &late);
    while (!*done && !late)
        g_main_context_iteration(NULL, TRUE);
    if (!late)
        g_source_remove(timer);
}

gboolean module_host_update(const char *path, GFileType type, char **text, gboolean *in_progress)
{
    GObject *provider = provider_of(HOST_TYPE_INFO_PROVIDER);
    *text = NULL;
    *in_progress = FALSE;
    if (provider == NULL)
        return FALSE;
    StandInFile *file = stand_in_file_new(path, type);
    UpdateState state = {FALSE, HOST_OPERATION_COMPLETE, NULL};
    /* The hosts complete an update through a closure of this marshalling. */
    GClosure *closure = g_cclosure_new(G_CALLBACK(update_completed), &state, NULL);
    g_closure_set_marshal(closure, g_cclosure_marshal_generic);
    HostOperationResult result =
        host_update_file_info(provider, (HostFileInfo *)file, closure, &state.handle);
    if (result == HOST_OPERATION_IN_PROGRESS) {
        *in_progress = TRUE;
        /* Nothing is read on the calling (main) thread: the column is not filled yet. */
        const gboolean filled_early = g_hash_table_contains(file->attributes, "scrivlet_comment");
        run_until(&state.completed);
        result = state.completed && !filled_early ? state.result : (HostOperationResult)-1;
    }
    char *value = g_hash_table_lookup(file->attributes, "scrivlet_comment");
    *text = g_strdup(value);
    g_closure_sink(closure);
    g_object_unref(file);
    return result == HOST_OPERATION_COMPLETE;
}

guint module_host_menu_items(const char *const *paths, guint count, gboolean activate)
{
    GObject *provider = provider_of(HOST_TYPE_MENU_PROVIDER);
    if (provider == NULL)
        return 0;
    GList *files = NULL;
    for (guint i = 0; i < count; ++i)
        files = g_list_append(files, stand_in_file_new(paths[i], G_FILE_TYPE_REGULAR));
    GList *items = host_get_file_items(provider, files);
    if (activate && items != NULL)
        host_menu_item_activate(items->data);
    guint found = g_list_length(items);
    g_list_free_full(items, g_object_unref);
    g_list_free_full(files, g_object_unref);
    return found;
}

#ifdef SCRIVLET_HOST_NEMO
static void text_changed(GtkTextBuffer *buffer, gpointer data)
{
    (void)buffer;
    *(gboolean *)data = TRUE;
}

char *module_host_page_text(const char *path, char **label)
{
    GObject *provider = provider_of(NEMO_TYPE_PROPERTY_PAGE_PROVIDER);
    *label = NULL;
    if (provider == NULL)
        return NULL;
    GList *files = g_list_append(NULL, stand_in_file_new(path, G_FILE_TYPE_REGULAR));
    GList *pages = nemo_property_page_provider_get_pages((NemoPropertyPageProvider *)provider, files);
    char *text = NULL;
    if (pages != NULL) {
        GtkWidget *tab = NULL;
        GtkWidget *page = NULL;
        g_object_get(pages->data, "label", &tab, "page", &page, NULL);
        *label = g_strdup(gtk_label_get_text(GTK_LABEL(tab)));
        /* Shown in a window, as the properties dialog shows it. */
        GtkWidget *window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
        gtk_container_add(GTK_CONTAINER(window), page);
        gtk_widget_show_all(window);
        GtkWidget *view = gtk_bin_get_child(GTK_BIN(page));
        GtkTextBuffer *buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(view));
        gboolean changed = FALSE;
        gulong handler = g_signal_connect(buffer, "changed", G_CALLBACK(text_changed), &changed);
        run_until(&changed);
        g_signal_handler_disconnect(buffer, handler);
        GtkTextIter start, end;
        gtk_text_buffer_get_bounds(buffer, &start, &end);
        text = gtk_text_buffer_get_text(buffer, &start, &end, FALSE);
        gtk_widget_destroy(window);
        g_object_unref(tab);
        g_object_unref(page);
    }
    g_list_free_full(pages, g_object_unref);
    g_list_free_full(files, g_object_unref);
    return text;
}
#endif
