# Third-party libraries, each as one target the folders link against.
find_package(Threads REQUIRED)

# wxWidgets 3.2 (GTK3): FindwxWidgets gives variables only, so wrap them.
find_package(wxWidgets 3.2 REQUIRED COMPONENTS core base xml net)
add_library(mv_wx INTERFACE)
target_include_directories(mv_wx SYSTEM INTERFACE ${wxWidgets_INCLUDE_DIRS})
target_compile_definitions(mv_wx INTERFACE ${wxWidgets_DEFINITIONS})
target_compile_options(mv_wx INTERFACE ${wxWidgets_CXX_FLAGS})
target_link_libraries(mv_wx INTERFACE ${wxWidgets_LIBRARIES})

find_package(PkgConfig REQUIRED)
pkg_check_modules(MV_AV REQUIRED IMPORTED_TARGET
  libavformat libavcodec libswscale libswresample libavutil)
pkg_check_modules(MV_PLIST REQUIRED IMPORTED_TARGET libplist-2.0)
pkg_check_modules(MV_SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(MV_BLKID REQUIRED IMPORTED_TARGET blkid)
pkg_check_modules(MV_CURL REQUIRED IMPORTED_TARGET libcurl)

# Warnings for our own code; third-party headers come in as SYSTEM.
add_library(mv_warnings INTERFACE)
target_compile_options(mv_warnings INTERFACE -Wall -Wextra -Wno-unused-parameter)
