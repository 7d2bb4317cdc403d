// The buttons around the character editor and under the pattern table.
#include "kardo_window.h"

namespace tile {

void KardoWindow::cmd_carac_flipx_Click() {}
void KardoWindow::cmd_carac_flipy_Click() {}
void KardoWindow::cmd_carac_rotate_Click() {}
void KardoWindow::cmd_carac_invert_Click() {}
void KardoWindow::cmd_clear_car_Click() {}
void KardoWindow::cmd3_scroll_up_Click() {}
void KardoWindow::cmd3_scroll_down_Click() {}
void KardoWindow::cmd3_scroll_left_Click() {}
void KardoWindow::cmd3_scroll_right_Click() {}
void KardoWindow::cmd_copy_car_Click() {}
void KardoWindow::cmd_paste_car_Click() {}
void KardoWindow::cmd_copy_pattern_Click() {}
void KardoWindow::cmd_paste_pattern_Click() {}
void KardoWindow::cmd_clear_pattern_Click() {}

} // namespace tile
