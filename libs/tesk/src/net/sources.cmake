# Network cameras, discovery and the MP4 recorder, on FFmpeg.
pkg_check_modules(FFMPEG REQUIRED IMPORTED_TARGET libavformat libavcodec libswscale libavutil)

target_sources(tesk PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/avsupport.h ${CMAKE_CURRENT_LIST_DIR}/avsupport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/devicescanner.h ${CMAKE_CURRENT_LIST_DIR}/devicescanner.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dravikdiscovery.h ${CMAKE_CURRENT_LIST_DIR}/dravikdiscovery.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mp4recorder.h ${CMAKE_CURRENT_LIST_DIR}/mp4recorder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/networkcamera.h ${CMAKE_CURRENT_LIST_DIR}/networkcamera.cpp
    ${CMAKE_CURRENT_LIST_DIR}/networkfactory.cpp
    ${CMAKE_CURRENT_LIST_DIR}/scanprotocol.h
    ${CMAKE_CURRENT_LIST_DIR}/streamdecoder.h ${CMAKE_CURRENT_LIST_DIR}/streamdecoder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/streamurl.h ${CMAKE_CURRENT_LIST_DIR}/streamurl.cpp
    ${CMAKE_CURRENT_LIST_DIR}/videorecorderfactory.cpp
    ${CMAKE_CURRENT_LIST_DIR}/wsdiscovery.h ${CMAKE_CURRENT_LIST_DIR}/wsdiscovery.cpp)
target_link_libraries(tesk PRIVATE PkgConfig::FFMPEG)
