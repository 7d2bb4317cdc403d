// The sprite panel: drawing and the buttons that transform the current sprite.
#include "kardo_window.h"

namespace tile {

void KardoWindow::SPRITE_MouseDown(int, int, double, double) {}
void KardoWindow::SPRITE_MouseMove(int, int, double, double) {}
void KardoWindow::cmd_sprite_previous_Click() {}
void KardoWindow::cmd_sprite_next_Click() {}
void KardoWindow::cmd_sprite_color_Click() {}
void KardoWindow::cmd_sprite_flipx_Click() {}
void KardoWindow::cmd_sprite_flipy_Click() {}
void KardoWindow::cmd_sprite_rotate_Click() {}
void KardoWindow::cmd2_scroll_up_Click() {}
void KardoWindow::cmd2_scroll_down_Click() {}
void KardoWindow::cmd2_scroll_left_Click() {}
void KardoWindow::cmd2_scroll_right_Click() {}
void KardoWindow::cmd_sprite_copy_Click() {}
void KardoWindow::cmd_sprite_paste_Click() {}
void KardoWindow::cmd_sprite_clean_Click() {}

} // namespace tile
