/* The FreeType modules the browser build compiles: the game's font is
 * OpenType with CFF outlines (cff, with psaux, pshinter and psnames), read
 * through the sfnt tables; truetype comes along for TrueType fonts; smooth
 * renders the anti-aliased glyphs. */
FT_USE_MODULE(FT_Driver_ClassRec, tt_driver_class)
FT_USE_MODULE(FT_Driver_ClassRec, cff_driver_class)
FT_USE_MODULE(FT_Module_Class, psaux_module_class)
FT_USE_MODULE(FT_Module_Class, psnames_module_class)
FT_USE_MODULE(FT_Module_Class, pshinter_module_class)
FT_USE_MODULE(FT_Module_Class, sfnt_module_class)
FT_USE_MODULE(FT_Renderer_Class, ft_smooth_renderer_class)
