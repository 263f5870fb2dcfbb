# cmake -DFROM=DEMO_FOLDER -DTO=TEST_GAME_FOLDER -P CopyAssets.cmake: gives a test game the demo's
# pictures, songs, sounds and data/$$$.i. The demo folder is also a build folder, so only the
# folders a game keeps its assets in are copied; the demo's own database, map tree and maps stay
# behind, as each test game writes its own.
set(asset_folders data Backdrop Battle Monster Panorama Picture Sound Movie)
foreach(asset_folder ${asset_folders})
  file(GLOB_RECURSE assets RELATIVE ${FROM} ${FROM}/${asset_folder}/*)
  foreach(asset ${assets})
    if(asset MATCHES "^data/[^/]*\\.M$" OR asset STREQUAL "data/$$$.B" OR asset STREQUAL "data/$$$.F")
      continue()
    endif()
    get_filename_component(folder ${TO}/${asset} DIRECTORY)
    file(MAKE_DIRECTORY ${folder})
    file(COPY_FILE ${FROM}/${asset} ${TO}/${asset} ONLY_IF_DIFFERENT)
  endforeach()
endforeach()
