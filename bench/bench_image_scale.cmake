# It scales the pictures the median-cut benchmark draws (bench/bench_image_median.h).
target_include_directories(${target} PRIVATE ${CMAKE_BINARY_DIR}/include/bench_image_median)
