/* The GTK 2 peer: one window with a label, exits once it was painted. */
#include <gtk/gtk.h>
#include <stdio.h>

static gboolean Painted(GtkWidget* widget, GdkEventExpose* event, gpointer data)
{
    (void)widget;
    (void)event;
    (void)data;
    g_idle_add((GSourceFunc)gtk_main_quit, NULL);
    return FALSE;
}

int main(int argc, char** argv)
{
    gtk_init(&argc, &argv);
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), "Lorvane");
    gtk_window_set_default_size(GTK_WINDOW(window), 360, 120);
    GtkWidget* label = gtk_label_new("Enter search criteria");
    gtk_container_add(GTK_CONTAINER(window), label);
    g_signal_connect_after(label, "expose-event", G_CALLBACK(Painted), NULL);
    gtk_widget_show_all(window);
    gtk_main();
    gdk_flush();
    puts("painted");
    return 0;
}
