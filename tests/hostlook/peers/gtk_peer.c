/* The native GTK 2 side of the host look's tests, under whatever theme the environment pins.
 *
 *   hostlook_gtk_peer print   prints what GTK reads of the theme, one "name value" a line
 *   hostlook_gtk_peer show    shows the parity window at (0, 0), prints "ready" once it is
 *                             painted and runs until it is killed or its input closes
 *
 * The parity window: on a 400 x 290 fixed layout, buttons of 80 x 30 without labels at
 * (10, 10) normal and (100, 10) insensitive; check buttons of 30 x 30 at (10, 60) off,
 * (60, 60) on, (110, 60) insensitive; radio buttons likewise at y 110. Nothing can take the
 * focus, so no focus line is drawn. At (240, 10) an empty entry of 140 x 30; at (240, 60) an
 * empty combo box of 140 x 30; at (200, 60) a vertical scroll bar of the theme's width and
 * 120 high showing 500 of 1000 from 250; at (0, 190) a menu bar 400 wide with one item of
 * blank text whose menu holds two blank items. Before "ready" it prints "combo APPEARS_AS_LIST",
 * "scrollbar WIDTH TROUGH_BORDER STEPPER_SIZE SLIDER_START SLIDER_END", the
 * slider's extent in the bar's own pixels, and "menu LEFT TOP RIGHT BOTTOM HEIGHT YTHICKNESS",
 * the bar item's rectangle in the bar, the bar's height and the width of its top and bottom
 * edges.
 * When the first item of the open menu is highlighted it prints "menuopen" (ItemSelected). */
#include <gtk/gtk.h>
#include <stdio.h>
#include <string.h>

static void PrintColor(const char* name, const GdkColor* c)
{
    printf("%s %02x%02x%02x\n", name, c->red >> 8, c->green >> 8, c->blue >> 8);
}

static void PrintInt(GtkWidget* w, const char* property)
{
    gint v = 0;
    gtk_widget_style_get(w, property, &v, NULL);
    printf("%s %d\n", property, v);
}

/* What the scroll bars, scales, entries, progress bars, menus and notebooks read. */
static void PrintControls(GtkWidget* box)
{
    GtkWidget* bar = gtk_vscrollbar_new(NULL);
    GtkWidget* scale = gtk_hscale_new_with_range(0, 100, 1);
    GtkWidget* entry = gtk_entry_new();
    GtkWidget* progress = gtk_progress_bar_new();
    GtkWidget* notebook = gtk_notebook_new();
    GtkWidget* menu_bar = gtk_menu_bar_new();
    GtkWidget* top = gtk_menu_item_new_with_label("M");
    GtkWidget* menu = gtk_menu_new();
    GtkWidget* item = gtk_menu_item_new_with_label("M");
    GtkWidget* all[] = { bar, scale, entry, progress, notebook, menu_bar };
    unsigned i;
    for(i = 0; i < sizeof all / sizeof all[0]; i++)
        gtk_box_pack_start(GTK_BOX(box), all[i], FALSE, FALSE, 0);
    gtk_menu_shell_append(GTK_MENU_SHELL(menu_bar), top);
    gtk_menu_item_set_submenu(GTK_MENU_ITEM(top), menu);
    gtk_menu_shell_append(GTK_MENU_SHELL(menu), item);
    gtk_widget_realize(menu_bar);
    gtk_widget_realize(top);
    gtk_widget_realize(menu);
    gtk_widget_realize(item);
    PrintInt(bar, "slider-width");
    PrintInt(bar, "stepper-size");
    PrintInt(bar, "min-slider-length");
    PrintInt(scale, "slider-length");
    printf("entry_thickness %d\n", gtk_widget_get_style(entry)->xthickness);
    printf("progress_thickness %d %d\n", gtk_widget_get_style(progress)->xthickness,
           gtk_widget_get_style(progress)->ythickness);
    PrintColor("menu", &gtk_widget_get_style(menu)->bg[GTK_STATE_NORMAL]);
    PrintColor("bar_hot_text", &gtk_rc_get_style(gtk_menu_new())->fg[GTK_STATE_ACTIVE]);
    PrintColor("menu_hot_text", &gtk_widget_get_style(item)->fg[GTK_STATE_PRELIGHT]);
    PrintColor("bar_text", &gtk_widget_get_style(top)->fg[GTK_STATE_NORMAL]);
    PrintColor("bar_pressed_text", &gtk_widget_get_style(top)->fg[GTK_STATE_PRELIGHT]);
    PrintColor("tab_text", &gtk_widget_get_style(notebook)->fg[GTK_STATE_NORMAL]);
    PrintColor("tab_disabled_text", &gtk_widget_get_style(notebook)->fg[GTK_STATE_INSENSITIVE]);
}

static int Print(void)
{
    GtkWidget* window = gtk_window_new(GTK_WINDOW_POPUP);
    GtkWidget* check = gtk_check_button_new();
    GtkWidget* label = gtk_label_new("Ch");
    GtkWidget* box = gtk_vbox_new(FALSE, 0);
    gchar* theme = NULL;
    gchar* font = NULL;
    gint indicator = 0;
    gint dpi = 0;
    gtk_container_add(GTK_CONTAINER(window), box);
    gtk_box_pack_start(GTK_BOX(box), check, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), label, FALSE, FALSE, 0);
    gtk_widget_realize(window);
    gtk_widget_realize(check);
    gtk_widget_realize(label);
    g_object_get(gtk_settings_get_default(), "gtk-theme-name", &theme, "gtk-font-name", &font, NULL);
    g_object_get(gtk_settings_get_default(), "gtk-xft-dpi", &dpi, NULL);
    printf("theme %s\nfont %s\ndpi %d\n", theme ? theme : "", font ? font : "", dpi);
    g_free(theme);
    g_free(font);
    GtkStyle* s = gtk_widget_get_style(window);
    PrintColor("paper", &s->base[GTK_STATE_NORMAL]);
    PrintColor("face", &s->bg[GTK_STATE_NORMAL]);
    PrintColor("text", &s->text[GTK_STATE_NORMAL]);
    PrintColor("highlight", &s->base[GTK_STATE_SELECTED]);
    PrintColor("highlight_text", &s->text[GTK_STATE_SELECTED]);
    PrintColor("disabled", &s->text[GTK_STATE_INSENSITIVE]);
    PrintColor("light", &s->light[GTK_STATE_NORMAL]);
    PrintColor("shadow", &s->dark[GTK_STATE_NORMAL]);
    PrintColor("label", &gtk_widget_get_style(label)->fg[GTK_STATE_NORMAL]);
    gtk_widget_style_get(check, "indicator-size", &indicator, NULL);
    printf("indicator %d\n", indicator);
    PrintControls(box);
    /* Before exit: a leak checker ending the process at exit would drop what is buffered. */
    fflush(stdout);
    return 0;
}

static GtkWidget* Place(GtkWidget* fixed, GtkWidget* w, int x, int y, int cx, int cy, gboolean sensitive)
{
    gtk_widget_set_size_request(w, cx, cy);
    gtk_widget_set_can_focus(w, FALSE);
    gtk_widget_set_sensitive(w, sensitive);
    gtk_fixed_put(GTK_FIXED(fixed), w, x, y);
    return w;
}

static GtkWidget* scroll_bar;
static GtkWidget* menu_bar;
static GtkWidget* combo;

/* Once the open menu highlights its first item: "menuopen X Y CX CY LEFT TOP RIGHT BOTTOM",
 * the menu's window on the screen and the item's rectangle in it. */
static void ItemSelected(GtkWidget* item, gpointer data)
{
    GtkWidget* top = GTK_MENU(data)->toplevel;
    gint x = 0, y = 0, ix = 0, iy = 0;
    gdk_window_get_origin(top->window, &x, &y);
    gtk_widget_translate_coordinates(item, top, 0, 0, &ix, &iy);
    printf("menuopen %d %d %d %d %d %d %d %d\n", x, y, top->allocation.width, top->allocation.height, ix, iy,
           ix + item->allocation.width, iy + item->allocation.height);
    fflush(stdout);
}

/* A bar 400 wide whose one item opens a menu of two items; the labels are blank, so that
 * no text is drawn. */
static GtkWidget* MenuBar(void)
{
    GtkWidget* bar = gtk_menu_bar_new();
    GtkWidget* top = gtk_menu_item_new_with_label(" ");
    GtkWidget* menu = gtk_menu_new();
    int i;
    gtk_widget_set_size_request(bar, 400, -1);
    gtk_menu_shell_append(GTK_MENU_SHELL(bar), top);
    gtk_menu_item_set_submenu(GTK_MENU_ITEM(top), menu);
    for(i = 0; i < 2; i++) {
        GtkWidget* item = gtk_menu_item_new_with_label(" ");
        gtk_menu_shell_append(GTK_MENU_SHELL(menu), item);
        if(i == 0)
            g_signal_connect(item, "select", G_CALLBACK(ItemSelected), menu);
    }
    return bar;
}

static gboolean Painted(GtkWidget* w, GdkEventExpose* e, gpointer data)
{
    (void)w;
    (void)e;
    (void)data;
    static int done = 0;
    if(!done) {
        gint border = 0, stepper = 0, list = 0;
        done = 1;
        gdk_flush();
        gtk_widget_style_get(scroll_bar, "trough-border", &border, "stepper-size", &stepper, NULL);
        gtk_widget_style_get(combo, "appears-as-list", &list, NULL);
        printf("combo %d\n", list);
        printf("scrollbar %d %d %d %d %d\n", scroll_bar->allocation.width, border, stepper,
               GTK_RANGE(scroll_bar)->slider_start, GTK_RANGE(scroll_bar)->slider_end);
        {
            GtkWidget* top = GTK_MENU_SHELL(menu_bar)->children->data;
            /* The bar has a window of its own: its items' allocations are relative to it. */
            printf("menu %d %d %d %d %d %d\n", top->allocation.x, top->allocation.y,
                   top->allocation.x + top->allocation.width, top->allocation.y + top->allocation.height,
                   menu_bar->allocation.height, menu_bar->style->ythickness);
        }
        printf("ready\n");
        fflush(stdout);
    }
    return FALSE;
}

static gboolean InputClosed(GIOChannel* c, GIOCondition condition, gpointer data)
{
    (void)c;
    (void)condition;
    (void)data;
    gtk_main_quit();
    return FALSE;
}

static int Show(void)
{
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    GtkWidget* fixed = gtk_fixed_new();
    GtkWidget* group = NULL;
    int i;
    gtk_window_move(GTK_WINDOW(window), 0, 0);
    gtk_window_set_default_size(GTK_WINDOW(window), 400, 290);
    gtk_container_add(GTK_CONTAINER(window), fixed);
    Place(fixed, gtk_button_new(), 10, 10, 80, 30, TRUE);
    Place(fixed, gtk_button_new(), 100, 10, 80, 30, FALSE);
    for(i = 0; i < 3; i++) {
        GtkWidget* check = Place(fixed, gtk_check_button_new(), 10 + 50 * i, 60, 30, 30, i != 2);
        /* One group: a radio button alone in its group cannot be off. */
        GtkWidget* radio =
            Place(fixed, group ? gtk_radio_button_new_from_widget(GTK_RADIO_BUTTON(group)) : gtk_radio_button_new(NULL),
                  10 + 50 * i, 110, 30, 30, i != 2);
        group = radio;
        gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(check), i == 1);
        gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(radio), i == 1);
    }
    Place(fixed, gtk_entry_new(), 240, 10, 140, 30, TRUE);
    combo = Place(fixed, gtk_combo_box_new_text(), 240, 60, 140, 30, TRUE);
    scroll_bar = Place(fixed, gtk_vscrollbar_new(GTK_ADJUSTMENT(gtk_adjustment_new(250, 0, 1000, 1, 1, 500))), 200, 60,
                       -1, 120, TRUE);
    menu_bar = MenuBar();
    gtk_fixed_put(GTK_FIXED(fixed), menu_bar, 0, 190);
    g_signal_connect_after(fixed, "expose-event", G_CALLBACK(Painted), NULL);
    g_io_add_watch(g_io_channel_unix_new(0), G_IO_HUP | G_IO_ERR | G_IO_IN, InputClosed, NULL);
    gtk_widget_show_all(window);
    gtk_main();
    return 0;
}

int main(int argc, char** argv)
{
    gtk_init(&argc, &argv);
    if(argc > 1 && strcmp(argv[1], "print") == 0)
        return Print();
    if(argc > 1 && strcmp(argv[1], "show") == 0)
        return Show();
    fprintf(stderr, "usage: %s print|show\n", argv[0]);
    return 2;
}
