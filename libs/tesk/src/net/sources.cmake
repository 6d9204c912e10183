# Network cameras, discovery and the MP4 recorder.
target_sources(tesk PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/networkfactory.cpp
    ${CMAKE_CURRENT_LIST_DIR}/videorecorderfactory.cpp)
