// Compares two pictures of the board (the picture box, its 2-pixel frame
// included): the page's and the desktop window's. Cell colours must be equal
// pixel for pixel away from the numbers; the numbers may differ by
// anti-aliasing, so each cell's ink is compared by amount and centre.
//
// The pictures are decoded by the browser itself, so the test needs no
// image library of its own.
export async function compareBoards(page, webPng, qtPng) {
  return page.evaluate(async ([web, qt]) => {
    const pixels = async (base64) => {
      const bytes = Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
      const bitmap = await createImageBitmap(new Blob([bytes], { type: 'image/png' }));
      const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
      const context = canvas.getContext('2d');
      context.drawImage(bitmap, 0, 0);
      return { width: bitmap.width, height: bitmap.height,
        data: context.getImageData(0, 0, bitmap.width, bitmap.height).data };
    };
    const [a, b] = [await pixels(web), await pixels(qt)];
    const result = { size: [a.width, a.height], expectedSize: [b.width, b.height],
      cellDifferences: [], tileDifferences: [] };
    if (a.width !== b.width || a.height !== b.height) return result;

    const frame = 2;
    const pitch = 64;
    const at = (image, x, y) => {
      const i = (y * image.width + x) * 4;
      return (image.data[i] << 16) | (image.data[i + 1] << 8) | image.data[i + 2];
    };
    for (let cell = 0; cell < 16; ++cell) {
      const left = frame + (cell % 4) * pitch;
      const top = frame + Math.floor(cell / 4) * pitch;
      // The marker's colour is the commonest in the cell of the desktop's picture.
      const counts = new Map();
      for (let y = top; y < top + pitch; ++y)
        for (let x = left; x < left + pitch; ++x)
          counts.set(at(b, x, y), (counts.get(at(b, x, y)) || 0) + 1);
      const marker = [...counts].sort((p, q) => q[1] - p[1])[0][0];
      const ink = (image) => {
        const mask = [];
        for (let y = top; y < top + pitch; ++y)
          for (let x = left; x < left + pitch; ++x)
            mask.push(at(image, x, y) !== marker);
        return mask;
      };
      const [inkA, inkB] = [ink(a), ink(b)];
      // Away from the numbers: no ink within 3 pixels in either picture.
      const near = (mask, i) => {
        const [x, y] = [i % pitch, Math.floor(i / pitch)];
        for (let dy = -3; dy <= 3; ++dy)
          for (let dx = -3; dx <= 3; ++dx) {
            const [u, v] = [x + dx, y + dy];
            if (u >= 0 && v >= 0 && u < pitch && v < pitch && mask[v * pitch + u]) return true;
          }
        return false;
      };
      let stray = 0;
      for (let i = 0; i < pitch * pitch; ++i)
        if (inkA[i] && !near(inkB, i)) ++stray;
      // A cell of another colour is all stray ink.
      if (stray > 0)
        result.cellDifferences.push({ cell: cell + 1, stray, marker: marker.toString(16) });
      // The number on the cell: as much ink, centred in the same place.
      const centre = (mask) => {
        let [n, sx, sy] = [0, 0, 0];
        mask.forEach((on, i) => { if (on) { ++n; sx += i % pitch; sy += Math.floor(i / pitch); } });
        return n ? { n, x: sx / n, y: sy / n } : { n, x: 0, y: 0 };
      };
      const [ca, cb] = [centre(inkA), centre(inkB)];
      const amount = Math.abs(ca.n - cb.n) / Math.max(ca.n, cb.n, 1);
      if (amount > 0.25 || Math.hypot(ca.x - cb.x, ca.y - cb.y) > 2)
        result.tileDifferences.push({ cell: cell + 1, web: ca, desktop: cb });
    }
    return result;
  }, [webPng.toString('base64'), qtPng.toString('base64')]);
}
