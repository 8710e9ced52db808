// Linked with the whole of one layer's library and only the layers below it:
// if the layer calls anything above itself, this program does not link.
int main() {
    return 0;
}
