/* The GTK 2 peer of the resting Qor window: an entry holding the focus, or with --plain a
   window with a label. Prints "ready" once it is shown and focused, then runs until killed. */
#include <gtk/gtk.h>
#include <stdio.h>
#include <string.h>

static gboolean Shown(GtkWidget* widget, GdkEvent* event, gpointer focus)
{
    (void)event;
    /* No window manager gives the focus on a bare server: the window takes it. */
    gdk_window_focus(widget->window, GDK_CURRENT_TIME);
    if(focus)
        gtk_widget_grab_focus(GTK_WIDGET(focus));
    gdk_flush();
    puts("ready");
    fflush(stdout);
    return FALSE;
}

int main(int argc, char** argv)
{
    int plain = argc > 1 && !strcmp(argv[1], "--plain");
    gtk_init(&argc, &argv);
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), "Idle");
    gtk_window_set_default_size(GTK_WINDOW(window), 300, 60);
    GtkWidget* child = plain ? gtk_label_new("Resting") : gtk_entry_new();
    gtk_container_add(GTK_CONTAINER(window), child);
    g_signal_connect(window, "map-event", G_CALLBACK(Shown), plain ? NULL : child);
    gtk_widget_show_all(window);
    gtk_main();
    return 0;
}
