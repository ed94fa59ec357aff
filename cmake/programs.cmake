# What the shipped programs (and what is built the same way) are made with: optimised for size.
add_compile_options(-Os)

# Nothing in these programs catches the standard library's own error exceptions (a length error,
# an index out of range, a bad cast); each would end the program through std::terminate anyway.
# Linking the library's throw helpers to abort ends it at the same point, without pulling in the
# standard exception classes and the string copies they hold, which would otherwise make up half of the copier.
# The verbose terminate handler goes the same way: it prints the exception's demangled type to a
# console these programs do not show, and the demangler is 50 KB.
set(KOLBRENTA_ABORTS
    __ZN9__gnu_cxx27__verbose_terminate_handlerEv
    __ZSt16__throw_bad_castv __ZSt17__throw_bad_allocv __ZSt18__throw_bad_typeidv
    __ZSt19__throw_logic_errorPKc __ZSt19__throw_range_errorPKc __ZSt20__throw_domain_errorPKc
    __ZSt20__throw_length_errorPKc __ZSt20__throw_out_of_rangePKc __ZSt21__throw_bad_exceptionv
    __ZSt21__throw_runtime_errorPKc __ZSt22__throw_overflow_errorPKc __ZSt23__throw_underflow_errorPKc
    __ZSt24__throw_invalid_argumentPKc __ZSt24__throw_out_of_range_fmtPKcz
    __ZSt28__throw_bad_array_new_lengthv)
foreach(symbol IN LISTS KOLBRENTA_ABORTS)
    add_link_options(-Wl,--defsym=${symbol}=_abort)
endforeach()
