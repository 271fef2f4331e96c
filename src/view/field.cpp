#include "view/field.h"

#include "shell/globals.h"

// For now only the field picture and the pointer.
void draw_field(const GameState& /*state*/, const MarcherSlots& /*marchers*/, ShotSlots& /*shots*/) {
  blit(pack_bitmap(asset_pack, PIC_FIELD), back_buffer, 0, 0, 0, 0, FIELD_SIZE, FIELD_SIZE);
  masked_blit(pack_bitmap(asset_pack, PIC_POINTER), back_buffer, 0, 0, mouse_x - POINTER_HOT_SPOT,
              mouse_y - POINTER_HOT_SPOT, POINTER_SIZE, POINTER_SIZE);
  present();
}
