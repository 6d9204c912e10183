# USB (UVC) cameras through V4L2, with libyuv and TurboJPEG for the conversion.
find_path(LIBYUV_INCLUDE_DIR libyuv.h REQUIRED)
find_library(LIBYUV_LIBRARY yuv REQUIRED)

target_sources(tesk PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/frameconverter.h ${CMAKE_CURRENT_LIST_DIR}/frameconverter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pixelformats.h ${CMAKE_CURRENT_LIST_DIR}/pixelformats.cpp
    ${CMAKE_CURRENT_LIST_DIR}/v4l2camera.h ${CMAKE_CURRENT_LIST_DIR}/v4l2camera.cpp
    ${CMAKE_CURRENT_LIST_DIR}/v4l2controls.h ${CMAKE_CURRENT_LIST_DIR}/v4l2controls.cpp
    ${CMAKE_CURRENT_LIST_DIR}/v4l2devicelist.h ${CMAKE_CURRENT_LIST_DIR}/v4l2devicelist.cpp
    ${CMAKE_CURRENT_LIST_DIR}/v4l2io.h ${CMAKE_CURRENT_LIST_DIR}/v4l2io.cpp
    ${CMAKE_CURRENT_LIST_DIR}/v4l2sizes.h ${CMAKE_CURRENT_LIST_DIR}/v4l2sizes.cpp)
target_include_directories(tesk PRIVATE ${LIBYUV_INCLUDE_DIR})
target_link_libraries(tesk PRIVATE ${LIBYUV_LIBRARY})
