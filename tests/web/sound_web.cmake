# The native half of web-decoder: it holds the web decoder's PCM (from the
# decoder page in build/web/sound-tests) to the Linux decoder's.
add_executable(web-decoder-compare web/decoder_compare.cpp)
