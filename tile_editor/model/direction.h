#pragma once

namespace tile {

// Direction of the wrapping scrolls of the screen, a character or a sprite.
enum class Direction { Up, Down, Left, Right };

} // namespace tile
