#pragma once
#define IDB_TEST_TILE 100       // PNG: a tile picture
#define IDB_TEST_TEXTURE 101    // PNG: a tile texture
#define ID_TEST_TILE_COMMAND 0x8101
