# The native configuration checks the core under AddressSanitizer and UndefinedBehaviorSanitizer.
add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_link_options(-fsanitize=address,undefined)
