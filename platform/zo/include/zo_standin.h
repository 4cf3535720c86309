/* SPDX-License-Identifier: MIT */
/* Stand-in imaging library: the record and queries of vgzo/zo.h, plus the
 * creation, attribute setting and call trace that clients and tests need.
 * Not shipped; it exists so the bridge, its tests and its demo really run. */
#ifndef ZO_STANDIN_H
#define ZO_STANDIN_H

#include <stddef.h>
#include <stdint.h>

#include "vgzo/zo.h"

#ifdef __cplusplus
extern "C" {
#endif

/* An RGB image of byte samples, all planes zeroed; with has_alpha an alpha
 * plane (planes[3]) follows, set to 255.  Null for a negative size or one
 * whose width * height does not fit pixel_count; a size of 0 still gives
 * non-null planes.  planes has four slots, unused ones null. */
zoImage *zoImageCreateRGB(int32_t width, int32_t height, int32_t has_alpha);
/* An indexed image (color_space 1 to 3) with an index plane of zeros and a
 * palette of 256 entries, all 0.  Null for another colour space or for a size
 * zoImageCreateRGB refuses. */
zoImage *zoImageCreateIndexed(int32_t width, int32_t height, int32_t color_space);
/* Frees an image made above, its planes, palette and attributes. */
void zoImageFree(zoImage *image);

/* Attributes may be set on any record, also one the caller built itself; they
 * are kept by the record's address until cleared or the image is freed.
 * A name holds a text or reals, never both: setting one kind drops the other.
 * A null record or name is ignored; a null text removes the attribute; reals
 * are copied, a negative count or null values with a positive count are
 * ignored, a count of 0 sets an attribute with no elements.  A text returned
 * by zoImageGetAttribString stays valid until that attribute is set again,
 * cleared or its image freed. */
void zoImageSetAttribString(const zoImage *image, const char *name, const char *value);
void zoImageSetAttribReal(const zoImage *image, const char *name, const double *values,
                          int32_t count);
void zoImageClearAttribs(const zoImage *image);

/* Call trace of the two attribute queries: one record per call, the
 * function's name and its arguments with their types (trace_record.h).  Off
 * until enabled; safe to use from several threads. */
void zoTraceEnable(int on);
void zoTraceClear(void);
size_t zoTraceCount(void);

#ifdef __cplusplus
} /* extern "C" */
#endif

#ifdef __cplusplus
#include <vector>

#include "trace_record.h"

/* The records so far, oldest first (C++ only). */
std::vector<standin::TraceRecord> zoTraceRecords();
#endif

#endif /* ZO_STANDIN_H */
