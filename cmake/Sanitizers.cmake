# Address and undefined behaviour sanitizers for the whole build (preset "asan").
if(MIVRA_SANITIZE)
    set(MIVRA_SAN_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all
        -fno-omit-frame-pointer)
    add_compile_options(${MIVRA_SAN_FLAGS})
    add_link_options(${MIVRA_SAN_FLAGS})
endif()
